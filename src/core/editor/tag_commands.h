#pragma once

#include <QString>
#include <vector>

namespace vellum {

class SettingsFile;
class DocumentView;
class Workspace;
class TextControl;
struct InsertionSlots;

/// One tag command: what it inserts, how, and where it sits on the menus.
struct TagCommand {
    enum class Kind {
        Wrap,     ///< wraps the selection in the opening and closing texts
        Single,   ///< replaces the selection by the text, caret after it
        QuickTip, ///< wraps like Wrap, then the caret goes back into the attribute and a tip shows
        QuickTable, ///< the sample table block
        QuickList,  ///< a sample list block; `item` is the item text
        QuickForm,  ///< the sample form block
    };
    enum class After {
        Nothing,
        CaretBackOne, ///< the "plus" forms: the caret stands before the final ">"
        LineAbove,    ///< the caret goes to the start of the line above (the empty table line)
    };

    const char* id;
    Kind kind;
    const char* open;
    const char* close = "";
    const char* item = "";
    const char* hint = "";
    int back = 0;
    bool enterFlag = false;
    After after = After::Nothing;
    /// Main-menu components that run it, separated by "," ("Bold1" or "Font2,Quick2").
    const char* menuItems = "";
    /// The context-menu submenu ("Character") and the caption on it ("Bold"); both "" when the
    /// command is not on the context menu.
    const char* contextMenu = "";
    const char* contextCaption = "";
};

/// Every tag command, in menu order.
const std::vector<TagCommand>& tagCommands();

/// The command a main-menu component runs, or null.
const TagCommand* tagCommandForMenuItem(const char* name);

/// Runs a tag command on a document window.
void runTagCommand(const TagCommand& command, DocumentView& document, TextControl& scratch,
                   InsertionSlots& shared, QString& enterFlag, const SettingsFile& settings);

} // namespace vellum
