#include "core/app/program_flows.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFileInfo>

namespace vellum {

namespace {

namespace V = keys::Vellum;

// Programs have no telling extension here: any file may be chosen, and is then checked.
const QString ProgramFilter = QStringLiteral("All files|*.*");

} // namespace

ProgramFlows::ProgramFlows(Workspace& workspace, SettingsFile& settings, const HomeDirectory& home,
                           Prompter& prompter, CommandRegistry& commands, ProgramLauncher& launcher,
                           ProgramScreen& screen, PathStyle style)
    : m_workspace(workspace), m_settings(settings), m_home(home), m_prompter(prompter),
      m_commands(commands), m_launcher(launcher), m_screen(screen), m_style(style) {}

void ProgramFlows::registerCommands() {
    m_commands.addForDocument(QStringLiteral("Preview1"),
                              [this](Document& document) { previewInBrowser(document); });
    m_commands.addForDocument(QStringLiteral("HelperApp1"),
                              [this](Document&) { runHelperProgram(); });
}

QString ProgramFlows::setting(const char* key) const {
    return m_settings.readText(V::Section, QString::fromLatin1(key));
}

QString ProgramFlows::chooseProgram(const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = ProgramFilter;
    request.mustExist = true;
    return m_prompter.openFileName(request);
}

QString ProgramFlows::chooseBrowser(const QString& title) {
    const QString chosen = chooseProgram(title);
    if (chosen.isEmpty())
        return {};
    if (const std::optional<QString> problem = programProblem(chosen)) {
        m_prompter.error(*problem + QStringLiteral(" Please choose your browser program."));
        return {};
    }
    return chosen;
}

QString ProgramFlows::chooseHelper() {
    const QString helper = chooseProgram(QStringLiteral("Please locate your helper program"));
    if (helper.isEmpty())
        return {};
    // A new helper has a window title of its own, to be asked at its first run.
    m_settings.writeTexts({{V::Section, V::HelpName, QString()}, {V::Section, V::Helper, helper}});
    return helper;
}

void ProgramFlows::offerWayBack() {
    if (setting(V::Back).isEmpty())
        m_screen.showReturnIcon();
}

void ProgramFlows::previewInBrowser(Document& document) {
    QString browser = setting(V::Browser);
    if (browser.isEmpty()) {
        browser = chooseBrowser(QStringLiteral("Please locate your browser program"));
        if (browser.isEmpty())
            return;
        m_settings.writeText(V::Section, V::Browser, browser);
    }
    QString error;
    const QString preview =
        m_previews.write(document, m_workspace, m_home.dataDir(), m_style, error);
    if (preview.isEmpty()) {
        m_prompter.error(error);
        return;
    }
    offerWayBack();
    const bool started = m_launcher.startProgram(browser, {previewAddress(preview)}, error);
    // The file is there whether or not the browser came up: it goes at exit either way.
    registerCleanUp(m_settings, preview);
    if (!started)
        m_prompter.error(error);
}

bool ProgramFlows::locateBrowser() {
    bool stored = false;
    m_commands.guard([&] {
        const QString browser = chooseBrowser(QStringLiteral("Please locate your WWW browser"));
        if (browser.isEmpty())
            return;
        m_settings.writeText(V::Section, V::Browser, browser);
        stored = true;
    });
    return stored;
}

bool ProgramFlows::locateHelper() {
    bool stored = false;
    m_commands.guard([&] { stored = !chooseHelper().isEmpty(); });
    return stored;
}

void ProgramFlows::runHelperProgram() {
    QString helper = setting(V::Helper);
    if (helper.isEmpty()) {
        helper = chooseHelper();
        if (helper.isEmpty())
            return;
    }
    const QString title = setting(V::HelpName);
    if (!title.isEmpty()) {
        offerWayBack();
        if (const ProgramLauncher::Window window = m_launcher.findWindow(title)) {
            m_launcher.activateWindow(window);
            return;
        }
        startHelper(helper);
        return;
    }
    // The first run: the screen is cleared for the helper, without the helpers writing where
    // they stood.
    m_screen.clearHelpers();
    m_screen.dropReturnIcon();
    if (!startHelper(helper))
        return;
    offerWayBack();
    m_screen.askHelperTitle();
}

bool ProgramFlows::startHelper(const QString& helper) {
    QString error;
    bool started = false;
    const std::optional<QString> problem = programProblem(helper);
    if (!problem)
        started = m_launcher.startProgram(helper, {}, error);
    else if (QFileInfo(helper).isFile())
        started = m_launcher.openWithDefaultApplication(helper, error);
    else
        error = *problem;
    if (!started)
        m_prompter.error(error);
    return started;
}

void ProgramFlows::writeHName(const QString& title) {
    m_commands.guard([&] {
        m_settings.writeText(V::Section, V::HelpName, title);
        const ProgramLauncher::Window window = m_launcher.findWindow(title);
        m_prompter.inform(QStringLiteral("If clicking OK does not activate your helper, delete the "
                                         "current entry from Edit=>Preferences and try again."));
        if (window)
            m_launcher.activateWindow(window);
    });
}

void ProgramFlows::titleCancelled() {
    m_screen.closeReturnIcon();
}

} // namespace vellum
