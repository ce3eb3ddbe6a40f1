#pragma once

#include <vector>

namespace vellum {

/// One entry of the main menu bar: a top-level menu, a submenu, an item or a separator.
struct MenuEntry {
    enum class Kind { Menu, Item, Separator };
    Kind kind;
    const char* name;     ///< the component's name; commands are bound by it
    const char* parent;   ///< the menu it belongs to; nullptr for the menu bar
    const char* caption;  ///< "&" marks the access key, "&&" is a literal ampersand
    const char* shortcut; ///< portable key text ("Ctrl+Shift+S"), or nullptr
    bool hidden;          ///< never shown, but its shortcut works
    const char* hint;     ///< status hint, or nullptr
};

/// The main menu bar in menu-bar order: every menu is listed before its items, and the items of
/// a menu in their order on it. Where two entries share a shortcut, the first one takes it.
const std::vector<MenuEntry>& mainMenuTable();

/// One toolbar button, left to right.
struct ToolButtonEntry {
    const char* name;
    const char* hint; ///< also its tooltip
    /// Its icon: a name from the desktop's icon theme, used where the theme has it, else our own
    /// drawing of the same name; names starting "vellum-" are always our own.
    const char* icon;
    const char* command; ///< the id of the command it runs (a menu item's name)
};

const std::vector<ToolButtonEntry>& toolbarTable();

/// A document window's context menu, in the same form as the main menu: its submenus, items and
/// separators in order (top-level entries have no parent).
const std::vector<MenuEntry>& contextMenuTable();

/// A key the document editor takes for a command while it has the focus, ahead of the menus'
/// shortcuts and of the editor's own handling.
struct EditorKey {
    const char* command;  ///< the id of the command it runs on the editor's document
    const char* shortcut; ///< portable key text ("Ctrl+Shift+D")
};

/// The document editor's own keys. A command may have several keys (the shifted and unshifted
/// character of one key cap, as keyboards report either).
const std::vector<EditorKey>& editorKeyTable();

} // namespace vellum
