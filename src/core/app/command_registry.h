#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vellum {

class Document;
class Prompter;
class Workspace;

/// Every command of the program by its id (the names of the menu, toolbar and context-menu
/// items): what it runs and when it is enabled. Menus, toolbar, context menu and shortcuts are
/// bound through it. A failure inside a command (a settings write the system refuses, say) is
/// reported through the prompter and goes no further.
class CommandRegistry {
public:
    using Run = std::function<void()>;
    /// Runs on one document: from the main menus the active one (nothing when none is open),
    /// from a window's context menu that window's.
    using DocumentRun = std::function<void(Document&)>;
    /// Whether the item is enabled now; nothing leaves it as it is.
    using Enabled = std::function<std::optional<bool>()>;

    CommandRegistry(Workspace& workspace, Prompter& prompter);

    /// Registers a command (replacing one of the same id).
    void add(const QString& id, Run run, Enabled enabled = {});
    void addForDocument(const QString& id, DocumentRun run, Enabled enabled = {});

    bool has(const QString& id) const { return m_commands.contains(id); }
    QStringList ids() const { return m_commands.keys(); }
    /// Runs a command; false when no command has this id.
    bool run(const QString& id);
    /// Runs a command on `document` (a plain command just runs).
    bool runOn(const QString& id, Document& document);
    /// The command's answer to whether it is enabled; nothing when it has no rule or no id.
    std::optional<bool> enabled(const QString& id) const;

    /// Runs `action` as a command runs: a failure is reported, never passed on.
    void guard(const std::function<void()>& action);

private:
    struct Command {
        Run run;
        DocumentRun onDocument;
        Enabled enabled;
    };

    Workspace& m_workspace;
    Prompter& m_prompter;
    QHash<QString, Command> m_commands;
};

/// Runs `action`, reporting a failure through `prompter` instead of passing it on: for the event
/// handlers of windows that change the settings outside the commands.
void runReporting(Prompter& prompter, const std::function<void()>& action);

/// The ids of menu, toolbar and context-menu items whose commands are not built yet. Their items
/// are shown disabled.
const QStringList& commandsNotYetBuilt();

} // namespace vellum
