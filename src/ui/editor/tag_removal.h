#pragma once

namespace vellum {

class CommandRegistry;
class Workspace;

/// Registers Remove Tags: the Edit menu's item on the active document (enabled when the Edit menu
/// opens exactly while it has a selection), and the context menu's item and its hidden twin
/// (Ctrl+Shift+D in the editor) on their window's document.
void registerTagRemoval(CommandRegistry& commands, Workspace& workspace);

} // namespace vellum
