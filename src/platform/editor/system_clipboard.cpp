#include "platform/editor/system_clipboard.h"

#include "core/editor/text_control.h"
#include "core/foundation/line_breaks.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vellum {

namespace {

#ifdef Q_OS_WIN
constexpr QStringView desktopLineBreak = u"\r\n";
#else
constexpr QStringView desktopLineBreak = u"\n";
#endif

} // namespace

QString SystemClipboard::text() const {
    return normalizeLineBreaks(QGuiApplication::clipboard()->text());
}

void SystemClipboard::setText(const QString& text) {
    QGuiApplication::clipboard()->setText(withLineBreak(text, desktopLineBreak));
}

bool SystemClipboard::hasText() const {
    return !QGuiApplication::clipboard()->text().isEmpty();
}

} // namespace vellum
