#include "ui/app/application.h"

#include "core/app/about.h"
#include "core/app/command_registry.h"
#include "core/app/document_flows.h"
#include "core/app/editor_commands.h"
#include "core/app/startup.h"
#include "core/app/workspace.h"
#include "core/editor/tag_commands.h"
#include "ui/app/app_activation.h"
#include "ui/app/document_area.h"
#include "ui/app/document_commands.h"
#include "ui/app/edit_commands.h"
#include "ui/app/file_drops.h"
#include "ui/app/helper_registry.h"
#include "ui/app/main_menus.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/preferences_dialog.h"
#include "ui/app/program_commands.h"
#include "ui/app/recent_files_menu.h"
#include "ui/app/recovery_dialog.h"
#include "ui/app/recovery_writer.h"
#include "ui/app/splash_window.h"
#include "ui/app/start_sequence.h"
#include "ui/app/status_line.h"
#include "ui/app/window_title.h"
#include "ui/editor/editor_style.h"
#include "ui/editor/find_commands.h"
#include "ui/editor/page_checks.h"
#include "ui/editor/spell_checking.h"

#include "ui/editor/tag_removal.h"
#include "ui/library/template_dialog.h"
#include <QAction>

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

namespace vellum {

namespace {

// The manual: beside the program in a build folder, with the shipped files when installed.
QString helpFilePath() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/vellumh.html");
    const QString shipped = StartSequence::shippedDataDir();
    if (QFileInfo::exists(beside) || shipped.isEmpty())
        return beside;
    return shipped + QStringLiteral("/vellumh.html");
}

} // namespace

Application::Application(SettingsFile& settings, const HomeDirectory& home,
                         MessageBoxPrompter& prompter, Clipboard& clipboard)
    : m_settings(settings), m_home(home), m_prompter(prompter),
      m_window(std::make_unique<MainWindow>(settings)), m_help(helpFilePath()),
      m_style(std::make_unique<EditorStyle>(settings)),
      m_status(new StatusLine(m_window->statusBar())),
      m_documents(new DocumentArea(*m_window, *m_status, settings, clipboard, *m_style)),
      m_workspace(std::make_unique<Workspace>(*m_documents)),
      m_flows(std::make_unique<DocumentFlows>(*m_workspace, prompter, settings, m_home, clipboard)),
      m_commands(std::make_unique<CommandRegistry>(*m_workspace, prompter)),
      m_documentCommands(std::make_unique<DocumentCommands>(*m_workspace, *m_flows, prompter)),
      m_edits(
          std::make_unique<EditCommands>(*m_workspace, *m_style, prompter, settings, clipboard)),
      m_helpers(std::make_unique<HelperRegistry>(*m_window, *m_workspace, settings, m_home, m_help,
                                                 prompter, *m_commands)),
      m_finds(std::make_unique<FindCommands>(*m_window, *m_workspace, settings, prompter, clipboard,
                                             *m_commands)),
      m_pageChecks(
          std::make_unique<PageChecks>(*m_window, *m_workspace, m_home.dataDir(), *m_commands)),
      m_spelling(std::make_unique<SpellChecking>(*m_workspace, settings, prompter, *m_commands)),
      m_recovery(std::make_unique<RecoveryWriter>(*m_workspace, settings, m_home, prompter)) {
    m_documents->attach(*m_workspace, *m_flows, *m_commands);
    registerCommands();
    m_menus = new MainMenus(*m_window, *m_commands, *m_workspace);
    if (auto* item = m_window->findChild<QAction*>(QStringLiteral("CheckSpelling1")))
        m_spelling->showIn(*item);
    m_documents->setSaveButton(m_menus->msave());
    new RecentFilesMenu(*m_menus, *m_commands, m_settings, *m_flows);
    QObject::connect(m_status, &StatusLine::bannerDoubleClicked, m_window.get(),
                     [this] { m_commands->run(QStringLiteral("Tabbed1")); });
    QObject::connect(m_status, &StatusLine::dateDoubleClicked, m_window.get(),
                     [this] { m_edits->insertDate(m_status->date()); });
    QObject::connect(m_status, &StatusLine::lineDoubleClicked, m_window.get(),
                     [this] { m_commands->run(QStringLiteral("goto1")); });
    m_documents->setFindWindowHooks(
        {[this] { m_finds->closeFindWindows(); }, [this] { m_finds->dropFindAgain(); }});
    m_activation = new AppActivation(
        *m_window, [this](const QString& file) { newFromToolbar(file); }, *m_workspace, settings,
        prompter);
    new FileDrops(*m_window, *m_flows, *m_commands);
    new WindowTitle(*m_window, *m_documents->area());
    m_window->setCloseHandler([this] { return closing(); });
    // What a run keeps in the settings starts afresh.
    resetRunState(m_settings, m_home);
}

Application::~Application() {
    // The document windows go first, while everything they report to is still there.
    delete m_documents;
}

void Application::registerCommands() {
    CommandRegistry& c = *m_commands;
    c.add(QStringLiteral("New1"), [this] {
        TemplateDialog::openNew(
            m_home.templateDir(), m_settings, m_prompter, m_help,
            [this](const QString& tpl) { m_commands->guard([&] { m_flows->newDocument(tpl); }); },
            m_window.get());
    });
    c.add(QStringLiteral("new2"), [this] { newFromToolbar(); });
    c.add(QStringLiteral("Exit1"), [this] { m_window->close(); });
    c.add(QStringLiteral("Exits1"), [this] { m_window->close(); });
    // These keys are taken so that they do nothing.
    for (const char* inert : {"opentag", "closetag", "switch1"})
        c.add(QString::fromLatin1(inert), [] {});
    c.add(QStringLiteral("Contents1"), [this] { m_help.showContents(); });
    c.add(QStringLiteral("About1"), [] { SplashWindow::showSplash(); });
    c.add(QStringLiteral("AboutVellum1"), [this] {
        QMessageBox::about(m_window.get(), QStringLiteral("About VellumHTML"),
                           aboutText(QString::fromLatin1(qVersion())));
    });
    c.add(QStringLiteral("Preferences1"), [this] { showPreferences(); });
    c.add(QStringLiteral("ContactUs1"), [this] { DocumentCommands::contactUs(m_prompter); });
    m_documentCommands->registerCommands(c);
    m_edits->registerCommands(c);
    m_documents->registerCommands(c);
    registerTagCommands(c, *m_workspace, m_settings);
    registerEditorKeyCommands(c, *m_workspace);
    m_helpers->registerCommands();
    m_programs = std::make_unique<ProgramCommands>(*m_window, *m_workspace, m_settings, m_home,
                                                   m_prompter, *m_helpers, c);
    m_programs->registerCommands();
    m_finds->registerCommands();
    m_pageChecks->registerCommands();
    m_spelling->registerCommands();
    registerTagRemoval(c, *m_workspace);
}

void Application::showPreferences() {
    PreferencesDialog::Hooks hooks;
    hooks.locateBrowser = [this] { m_programs->locateBrowser(); };
    hooks.locateHelper = [this] { m_programs->locateHelper(); };
    // A changed tab width reaches the open documents at once, one by one.
    hooks.stored = [this] {
        m_style->rereadTabWidth();
        for (DocumentWindow* document : m_documents->documentWindows())
            m_style->applyTabStops(*document);
    };
    PreferencesDialog::openNew(m_settings, m_prompter, m_help, std::move(hooks), m_window.get());
}

void Application::openMore(const QStringList& files) {
    for (const QString& file : files)
        m_commands->guard([&] { m_flows->openFile(file); });
}

void Application::start(const std::optional<QString>& handedOver) {
    m_commands->guard([&] { newFromToolbar(handedOver); });
    // Only here, in the start that runs on: a start that hands its file over never gets this far.
    m_commands->guard(
        [&] { offerRecovery(m_home, *m_workspace, m_settings, m_prompter, *m_recovery); });
}

void Application::newFromToolbar(const std::optional<QString>& handedOver) {
    m_window->placeOnFirstShow();
    m_flows->newDocument(QString(), handedOver);
}

bool Application::closing() {
    bool closed = false;
    m_commands->guard([&] { closed = m_flows->closeAll(); });
    if (!closed)
        return false;
    m_helpers->closeAll();
    // A refused write does not keep the program from ending: what it wrote is only placement.
    m_commands->guard([this] {
        WindowSnapshot snapshot;
        // A minimised window may still carry its maximised state underneath; it counts as such.
        snapshot.minimised = m_window->isMinimized();
        snapshot.maximised = m_window->isMaximized() && !snapshot.minimised;
        snapshot.top = m_window->y();
        snapshot.left = m_window->x();
        snapshot.width = m_window->width();
        snapshot.height = m_window->height();
        writeExitPlacement(m_settings, snapshot);
    });
    // Only what this run wrote and nobody has changed since: the settings' list may name files
    // that are the user's by now.
    m_programs->previews().deleteUnchanged();
    m_help.quit();
    return true;
}

} // namespace vellum
