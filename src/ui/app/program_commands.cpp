#include "ui/app/program_commands.h"

#include "ui/app/helper_registry.h"
#include "ui/app/helper_title_dialog.h"
#include "ui/app/return_icon.h"

namespace vellum {

ProgramCommands::ProgramCommands(QWidget& main, Workspace& workspace, SettingsFile& settings,
                                 const HomeDirectory& home, Prompter& prompter,
                                 HelperRegistry& helpers, CommandRegistry& commands)
    : m_main(main), m_settings(settings), m_prompter(prompter), m_helpers(helpers),
      m_flows(workspace, settings, home, prompter, commands, m_launcher, *this) {}

ProgramCommands::~ProgramCommands() {
    // Going with the program: no close steps, so nothing is written on the way out.
    delete m_titleDialog.data();
    delete m_returnIcon.data();
}

ReturnIcon* ProgramCommands::returnIcon() const {
    return m_returnIcon;
}

HelperTitleDialog* ProgramCommands::titleDialog() const {
    return m_titleDialog;
}

void ProgramCommands::showReturnIcon() {
    if (m_returnIcon)
        return;
    m_returnIcon = new ReturnIcon(m_settings, m_prompter, m_main);
    m_returnIcon->show();
    m_returnIcon->raise();
}

void ProgramCommands::closeReturnIcon() {
    if (m_returnIcon)
        m_returnIcon->close();
}

void ProgramCommands::dropReturnIcon() {
    delete m_returnIcon.data();
}

void ProgramCommands::clearHelpers() {
    m_helpers.clearForHelperProgram();
}

void ProgramCommands::askHelperTitle() {
    if (!m_titleDialog) {
        HelperTitleDialog::Hooks hooks;
        hooks.store = [this](const QString& title) { m_flows.writeHName(title); };
        hooks.cancelled = [this] { m_flows.titleCancelled(); };
        m_titleDialog = new HelperTitleDialog(std::move(hooks));
    }
    m_titleDialog->show();
    m_titleDialog->raise();
    m_titleDialog->activateWindow();
}

} // namespace vellum
