#include "ui/app/program_commands.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/preview.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "platform/app/desktop_windows.h"
#include "platform/app/programs.h"
#include "ui/app/helper_registry.h"
#include "ui/app/helper_title_dialog.h"
#include "ui/app/return_icon.h"

#include <QFileInfo>
#include <QStringList>

namespace vellum {

namespace {

namespace V = keys::Vellum;

// Programs have no telling extension here: any file may be chosen, and is then checked.
const QString ProgramFilter = QStringLiteral("All files|*.*");

} // namespace

ProgramCommands::ProgramCommands(QWidget& main, Workspace& workspace, SettingsFile& settings,
                                 const HomeDirectory& home, Prompter& prompter,
                                 HelperRegistry& helpers, CommandRegistry& commands)
    : m_main(main), m_workspace(workspace), m_settings(settings), m_home(home),
      m_prompter(prompter), m_helpers(helpers), m_commands(commands) {}

ProgramCommands::~ProgramCommands() {
    // Going with the program: no close steps, so nothing is written on the way out.
    delete m_titleDialog.data();
    delete m_returnIcon.data();
}

void ProgramCommands::registerCommands() {
    m_commands.addForDocument(QStringLiteral("Preview1"),
                              [this](Document& document) { openbrowser(document); });
    m_commands.addForDocument(QStringLiteral("HelperApp1"), [this](Document&) { openhelper(); });
}

TForm3* ProgramCommands::returnIcon() const {
    return m_returnIcon;
}

Thelpername* ProgramCommands::titleDialog() const {
    return m_titleDialog;
}

QString ProgramCommands::setting(const char* key) const {
    return m_settings.readText(V::Section, QString::fromLatin1(key));
}

QString ProgramCommands::findprogram(const QString& title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = ProgramFilter;
    request.mustExist = true;
    return m_prompter.openFileName(request);
}

QString ProgramCommands::chooseBrowser(const QString& title) {
    const QString chosen = findprogram(title);
    if (chosen.isEmpty())
        return {};
    if (const std::optional<QString> problem = programProblem(chosen)) {
        m_prompter.error(*problem + QStringLiteral(" Please choose your browser program."));
        return {};
    }
    return chosen;
}

void ProgramCommands::openbrowser(Document& document) {
    QString browser = setting(V::Browser);
    if (browser.isEmpty()) {
        browser = chooseBrowser(QStringLiteral("Please locate your browser program"));
        if (browser.isEmpty())
            return;
        m_settings.writeText(V::Section, V::Browser, browser);
    }
    QString error;
    const QString preview =
        m_previews.write(document, m_workspace, m_home.dataDir(), nativePathStyle(), error);
    if (preview.isEmpty()) {
        m_prompter.error(error);
        return;
    }
    showReturnIcon();
    const bool started = startProgram(browser, {previewAddress(preview)}, error);
    // The file is there whether or not the browser came up: it goes at exit either way.
    registerCleanUp(m_settings, preview);
    if (!started)
        m_prompter.error(error);
}

bool ProgramCommands::writebrowser() {
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

bool ProgramCommands::writehelper() {
    bool stored = false;
    m_commands.guard([&] {
        const QString helper = findprogram(QStringLiteral("Please locate your helper program"));
        if (helper.isEmpty())
            return;
        // A new helper has a window title of its own, to be asked at its first run.
        m_settings.writeTexts(
            {{V::Section, V::HelpName, QString()}, {V::Section, V::Helper, helper}});
        stored = true;
    });
    return stored;
}

void ProgramCommands::openhelper() {
    QString helper = setting(V::Helper);
    if (helper.isEmpty()) {
        helper = findprogram(QStringLiteral("Please locate your helper program"));
        if (helper.isEmpty())
            return;
        m_settings.writeTexts(
            {{V::Section, V::HelpName, QString()}, {V::Section, V::Helper, helper}});
    }
    const QString title = setting(V::HelpName);
    if (!title.isEmpty()) {
        showReturnIcon();
        if (const DesktopWindow window = findWindowByTitle(title)) {
            activateDesktopWindow(window);
            return;
        }
        startHelper(helper);
        return;
    }
    // The first run: the screen is cleared for the helper, without the helpers writing where
    // they stood.
    m_helpers.clearForHelperProgram();
    delete m_returnIcon.data();
    if (!startHelper(helper))
        return;
    showReturnIcon();
    showTitleDialog();
}

bool ProgramCommands::startHelper(const QString& helper) {
    QString error;
    bool started = false;
    const std::optional<QString> problem = programProblem(helper);
    if (!problem)
        started = startProgram(helper, {}, error);
    else if (QFileInfo(helper).isFile())
        started = openWithDefaultApplication(helper, error);
    else
        error = *problem;
    if (!started)
        m_prompter.error(error);
    return started;
}

void ProgramCommands::showReturnIcon() {
    if (m_returnIcon || !setting(V::Back).isEmpty())
        return;
    m_returnIcon = new TForm3(m_settings, m_prompter, m_main);
    m_returnIcon->show();
    m_returnIcon->raise();
}

void ProgramCommands::showTitleDialog() {
    if (!m_titleDialog) {
        Thelpername::Hooks hooks;
        hooks.store = [this](const QString& title) {
            m_commands.guard([&] { writeHName(title); });
        };
        hooks.cancelled = [this] {
            if (m_returnIcon)
                m_returnIcon->close();
        };
        m_titleDialog = new Thelpername(std::move(hooks));
    }
    m_titleDialog->show();
    m_titleDialog->raise();
    m_titleDialog->activateWindow();
}

void ProgramCommands::writeHName(const QString& title) {
    m_settings.writeText(V::Section, V::HelpName, title);
    const DesktopWindow window = findWindowByTitle(title);
    m_prompter.inform(QStringLiteral("If clicking OK does not activate your helper, delete the "
                                     "current entry from Edit=>Preferences and try again."));
    if (window)
        activateDesktopWindow(window);
}

} // namespace vellum
