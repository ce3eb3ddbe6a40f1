#pragma once

#include "core/app/workspace.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QPoint;

namespace vellum {

class CommandRegistry;
class PlainTextEditor;
class Prompter;
class SettingsFile;
class SpellDictionary;

/// Check Spelling: the command that turns spelling as you type on and off (kept in the settings
/// file), the dictionary every document's editor asks, each document's language, and the
/// spelling items of a document's context menu. It outlives the document windows.
class SpellChecking : public QObject, public WorkspaceListener {
    Q_OBJECT
public:
    SpellChecking(Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                  CommandRegistry& commands);
    ~SpellChecking() override;
    SpellChecking(const SpellChecking&) = delete;
    SpellChecking& operator=(const SpellChecking&) = delete;

    /// Registers Check Spelling.
    void registerCommands();
    /// The menu item that shows whether spelling is on (it becomes checkable).
    void showIn(QAction& item);
    /// Whether misspelt words are underlined now.
    bool isOn() const;

    /// Puts, at the top of `popup`, the suggestions for the misspelt word at `at` (a viewport
    /// position of `editor`), "Add to Dictionary" and "Ignore"; nothing for a word spelt right.
    /// Items put there before are taken away first.
    static void addMenuItems(QMenu& popup, PlainTextEditor& editor, const QPoint& at);

    // WorkspaceListener: a new document is checked in its own language.
    void made(Document* document) override;

private:
    void toggle();
    void apply(Document& document);
    void applyToAll();

    Workspace& m_workspace;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    CommandRegistry& m_commands;
    SpellDictionary* m_dictionary;
    QPointer<QAction> m_item;
    bool m_toldNone = false;
};

} // namespace vellum
