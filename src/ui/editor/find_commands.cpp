#include "ui/editor/find_commands.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/workspace.h"
#include "core/foundation/prompter.h"
#include "ui/editor/find_again_bar.h"
#include "ui/editor/find_window.h"
#include "ui/editor/go_to_line.h"

namespace vellum {

FindCommands::FindCommands(QWidget& main, Workspace& workspace, SettingsFile& settings,
                           Prompter& prompter, Clipboard& clipboard, CommandRegistry& commands)
    : m_main(main), m_workspace(workspace), m_settings(settings), m_prompter(prompter),
      m_clipboard(clipboard), m_commands(commands) {}

FindCommands::~FindCommands() {
    // The windows refer to this; they go first, without their close steps.
    delete m_findReplace.data();
    delete m_findAgain.data();
    delete m_goToLine.data();
}

void FindCommands::registerCommands() {
    m_commands.add(QStringLiteral("Replace1"), [this] { showFindReplace(); });
    m_commands.add(QStringLiteral("Again1"), [this] { doItAgain(); });
    m_commands.add(QStringLiteral("goto1"), [this] { showGoToLine(); });
}

void FindCommands::showFindReplace() {
    if (!hasDocument() || m_findReplace || m_findAgain)
        return;
    m_findReplace = new FindReplaceWindow(*this);
    m_findReplace->show();
}

void FindCommands::doItAgain() {
    if (!hasDocument() || m_findReplace)
        return;
    if (m_findAgain) {
        // The last button's kind of step again, with the state as it left it.
        find();
        return;
    }
    m_findAgain = new FindAgainBar(*this);
    m_findAgain->show();
    focusMain();
}

void FindCommands::showGoToLine() {
    if (!hasDocument())
        return;
    if (m_goToLine) {
        m_prompter.inform(QStringLiteral("it is already open"));
        return;
    }
    m_goToLine = new GoToLineDialog(*this);
    m_goToLine->show();
}

void FindCommands::closeFindWindows() {
    if (m_findReplace)
        m_findReplace->close();
    if (m_findAgain)
        m_findAgain->close();
}

void FindCommands::dropFindAgain() {
    delete m_findAgain.data();
}

FindReplaceWindow* FindCommands::findReplaceWindow() const {
    return m_findReplace.data();
}

FindAgainBar* FindCommands::findAgainWindow() const {
    return m_findAgain.data();
}

GoToLineDialog* FindCommands::goToLineDialog() const {
    return m_goToLine.data();
}

bool FindCommands::hasDocument() const {
    return m_workspace.active() != nullptr;
}

bool FindCommands::find() {
    Document* document = m_workspace.active();
    return document && Find(document->text(), m_state, m_prompter);
}

void FindCommands::replaceRemaining() {
    if (Document* document = m_workspace.active())
        ReplaceRemaining(document->text(), m_state, m_prompter);
}

void FindCommands::goToLine(int line) {
    Document* document = m_workspace.active();
    if (!document)
        return;
    m_workspace.insertions().moveCaretToLine(line);
    // The status bar shows the line the caret went to.
    document->view()->lineSet();
}

void FindCommands::focusMain() {
    m_main.activateWindow();
    if (DocumentView* document = m_workspace.activeDocument())
        document->focusEditor();
}

QRect FindCommands::mainGeometry() const {
    return m_main.frameGeometry();
}

void FindCommands::guard(const std::function<void()>& action) {
    m_commands.guard(action);
}

void FindCommands::forget(const QWidget* window) {
    if (window == m_findReplace.data())
        m_findReplace.clear();
    else if (window == m_findAgain.data())
        m_findAgain.clear();
    else if (window == m_goToLine.data())
        m_goToLine.clear();
}

} // namespace vellum
