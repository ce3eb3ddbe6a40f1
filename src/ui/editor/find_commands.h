#pragma once

#include "core/editor/search.h"

#include <QPointer>
#include <QRect>
#include <functional>

class QWidget;

namespace vellum {

class Clipboard;
class CommandRegistry;
class Prompter;
class SettingsFile;
class FindReplaceWindow;
class FindAgainBar;
class GoToLineDialog;
class Workspace;

/// Find & Replace, Do It Again and go to line: the commands, the one search state they share and
/// the main window's reference to each of their three windows (empty while it is not open). At
/// most one of the two find windows is open at a time.
class FindCommands {
public:
    FindCommands(QWidget& main, Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                 Clipboard& clipboard, CommandRegistry& commands);
    ~FindCommands();
    FindCommands(const FindCommands&) = delete;
    FindCommands& operator=(const FindCommands&) = delete;

    /// Registers Find&Replace, Do It Again and go to line.
    void registerCommands();

    /// Find&Replace: opens the Find & Replace window unless a find window is open.
    void showFindReplace();
    /// Do It Again: one more search step while the Find Again window is open, else opens it.
    void doItAgain();
    /// Go to line: opens the dialog; says so when it is open already.
    void showGoToLine();

    /// The last document is closing: the open find window closes with its close steps.
    void closeFindWindows();
    /// Escape in an editor: the Find Again window goes at once, without its close steps.
    void dropFindAgain();

    FindReplaceWindow* findReplaceWindow() const;
    FindAgainBar* findAgainWindow() const;
    GoToLineDialog* goToLineDialog() const;

    // What the windows use.
    SearchState& search() { return m_state; }
    bool hasDocument() const;
    /// One search step on the active document; true when it found something.
    bool find();
    /// Replace Remaining on the active document.
    void replaceRemaining();
    /// Puts the caret at the start of display line `line` (from 0) of the active document.
    void goToLine(int line);
    /// Gives the keyboard focus back to the main window and so to the active editor.
    void focusMain();
    QWidget& mainWidget() { return m_main; }
    QRect mainGeometry() const;
    SettingsFile& settings() { return m_settings; }
    Prompter& prompter() { return m_prompter; }
    Clipboard& clipboard() { return m_clipboard; }
    /// Runs `action`, reporting a failure (a refused settings write) instead of passing it on.
    void guard(const std::function<void()>& action);
    /// A window closed: the reference to it is emptied.
    void forget(const QWidget* window);

private:
    QWidget& m_main;
    Workspace& m_workspace;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    Clipboard& m_clipboard;
    CommandRegistry& m_commands;
    SearchState m_state;
    QPointer<FindReplaceWindow> m_findReplace;
    QPointer<FindAgainBar> m_findAgain;
    QPointer<GoToLineDialog> m_goToLine;
};

} // namespace vellum
