#include "platform/editor/system_clipboard.h"

#include "core/editor/text_control.h"

#include <QClipboard>
#include <QGuiApplication>

namespace vellum {

QString SystemClipboard::text() const {
    return normalizeLineBreaks(QGuiApplication::clipboard()->text());
}

void SystemClipboard::setText(const QString& text) {
    QString native = text;
#ifndef Q_OS_WIN
    native.replace(QLatin1String("\r\n"), QLatin1String("\n"));
#endif
    QGuiApplication::clipboard()->setText(native);
}

} // namespace vellum
