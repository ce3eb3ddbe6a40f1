#include "core/app/hand_off.h"

#include "core/app/save_rules.h"
#include "core/app/workspace.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>

namespace vellum {

namespace V = keys::Vellum;

QString handOffFile(const QString& commandLine, PathStyle style) {
    if (commandLine.isEmpty() || !QFileInfo(commandLine).isFile())
        return {};
    return pathIdentity(commandLine, style);
}

HandOffInbox::HandOffInbox(Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                           OpenNew openNew, PathStyle style, Clock clock)
    : m_workspace(workspace), m_settings(settings), m_prompter(prompter),
      m_openNew(std::move(openNew)), m_style(style), m_clock(std::move(clock)) {
    if (!m_clock) {
        m_clock = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now().time_since_epoch())
                .count();
        };
    }
}

void HandOffInbox::checkHandOff() {
    const QString file = m_settings.readText(V::Section, V::Hello);
    if (file.isEmpty())
        return;
    forgetStale();
    m_fromRecord.push_back({file, m_clock()});
    try {
        take(file);
    } catch (...) {
        // Not taken after all: its message must still open it.
        m_fromRecord.pop_back();
        throw;
    }
}

void HandOffInbox::received(const QString& file) {
    if (file.isEmpty())
        return;
    forgetStale();
    const auto found = std::find_if(m_fromRecord.begin(), m_fromRecord.end(),
                                    [&](const Taken& taken) { return taken.file == file; });
    if (found != m_fromRecord.end()) {
        m_fromRecord.erase(found);
        return;
    }
    take(file);
}

void HandOffInbox::take(const QString& file) {
    if (Document* open = m_workspace.findFile(file, m_style)) {
        // Emptied before the message box, which lets other events in: a check during it must
        // find nothing waiting.
        m_settings.writeText(V::Section, V::Hello, QString());
        m_workspace.bringForward(*open);
        m_prompter.inform(alreadyOpenMessage(file));
        return;
    }
    m_openNew(file);
}

void HandOffInbox::forgetStale() {
    // A start that wrote the record but died before its message leaves its file here; it must not
    // keep a later message for the same file from being answered.
    const qint64 now = m_clock();
    m_fromRecord.erase(
        std::remove_if(m_fromRecord.begin(), m_fromRecord.end(),
                       [&](const Taken& taken) { return now - taken.at > MessageWaitMs; }),
        m_fromRecord.end());
}

} // namespace vellum
