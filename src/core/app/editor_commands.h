#pragma once

namespace vellum {

class CommandRegistry;
class SettingsFile;
class Workspace;

/// Registers every tag command under the names of its main-menu items (run on the active
/// document) and, when it is on the context menu, under its own id (run on that window's).
void registerTagCommands(CommandRegistry& registry, Workspace& workspace,
                         const SettingsFile& settings);

/// Registers the commands of the document editor's own keys (editorKeyTable) that are not tag
/// commands: the bracket pairs "<>" and "</>" typed with the caret between the brackets.
void registerEditorKeyCommands(CommandRegistry& registry, Workspace& workspace);

} // namespace vellum
