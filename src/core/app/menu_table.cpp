#include "core/app/menu_table.h"

#include "core/editor/tag_commands.h"

namespace vellum {

namespace {

using K = MenuEntry::Kind;

MenuEntry menu(const char* name, const char* parent, const char* caption,
               const char* hint = nullptr) {
    return {K::Menu, name, parent, caption, nullptr, false, hint};
}

MenuEntry item(const char* name, const char* parent, const char* caption,
               const char* shortcut = nullptr) {
    return {K::Item, name, parent, caption, shortcut, false, nullptr};
}

MenuEntry hidden(const char* name, const char* parent, const char* caption, const char* shortcut) {
    return {K::Item, name, parent, caption, shortcut, true, nullptr};
}

MenuEntry separator(const char* parent) {
    return {K::Separator, "", parent, "", nullptr, false, nullptr};
}

std::vector<MenuEntry> build() {
    return {
        menu("File1", nullptr, "&File", "File operations"),
        item("New1", "File1", "&New", "Ctrl+N"),
        hidden("new2", "File1", "  new", "Alt+N"),
        hidden("newclean1", "File1", "  newclean", "Ctrl+Alt+N"),
        item("Open1", "File1", "&Open...", "Ctrl+O"),
        menu("RecentFiles1", "File1", "&Recent Files"),
        item("Insert1", "File1", "&Insert..."),
        item("Save1", "File1", "&Save", "Ctrl+S"),
        item("SaveAs1", "File1", "Save &As...", "Ctrl+Shift+S"),
        item("Close1", "File1", "&Close"),
        separator("File1"),
        item("Print1", "File1", "&Print..."),
        item("PrintPreview1", "File1", "Print Pre&view..."),
        item("PrintSetup1", "File1", "P&rint Setup..."),
        separator("File1"),
        item("Exit1", "File1", "E&xit", "Alt+F4"),

        menu("Edit1", nullptr, "&Edit", "Editing operations"),
        item("Undo1", "Edit1", "&Undo", "Ctrl+Z"),
        item("Cut1", "Edit1", "Cu&t", "Ctrl+X"),
        item("Copy1", "Edit1", "&Copy", "Ctrl+C"),
        item("Paste1", "Edit1", "&Paste", "Ctrl+V"),
        separator("Edit1"),
        item("selectall1", "Edit1", "&Select All", "Ctrl+A"),
        item("delete1", "Edit1", "&Delete", "Ctrl+D"),
        item("RemoveTags1", "Edit1", "&Remove Tags"),
        separator("Edit1"),
        item("Replace1", "Edit1", "&Find&&Replace...", "Ctrl+F"),
        item("Again1", "Edit1", "Do It A&gain...", "F3"),
        hidden("goto1", "Edit1", "goto", "F5"),
        separator("Edit1"),
        menu("Font1", "Edit1", "F&ont"),
        item("Change2", "Font1", "C&hange..."),
        item("Change1", "Font1", "Set to &Current"),
        item("SettoDefault2", "Font1", "Set to Default"),
        item("SaveCurrentSettings1", "Font1", "&Save Current Settings"),
        item("FontSize1", "Edit1", "  Font Size +", "Ctrl+1"),
        item("FontSize2", "Edit1", "  Font Size -", "Ctrl+2"),
        item("Preferences1", "Edit1", "P&references...", "Ctrl+F10"),
        separator("Edit1"),
        item("EditTag1", "Edit1", "Edit Tag in &Helper", "F2"),
        item("CheckPage1", "Edit1", "Chec&k Page", "F8"),
        item("CheckSpelling1", "Edit1", "Check &Spelling"),

        menu("Quick1", nullptr, "&Quick"),
        item("Preview1", "Quick1", "Browser &Preview", "F9"),
        item("HelperApp1", "Quick1", "&Helper Program", "F10"),
        separator("Quick1"),
        item("Font2", "Quick1", "&Font", "Ctrl+Shift+F"),
        item("Link1", "Quick1", "&Link", "Ctrl+Shift+L"),
        item("Anchor1", "Quick1", "N&ame", "Ctrl+Shift+A"),
        item("Image1", "Quick1", "&Image", "Ctrl+Shift+I"),
        item("MailTo1", "Quick1", "&MailTo", "Ctrl+Shift+M"),
        hidden("opentag", "Quick1", "opentag", "Ctrl+Shift+A"),
        hidden("closetag", "Quick1", "closetag", "Ctrl+Shift+Z"),
        separator("Quick1"),
        item("Table1", "Quick1", "&Table", "Ctrl+Shift+T"),
        item("List1", "Quick1", "&Bullet List", "Ctrl+Shift+B"),
        item("NumberList1", "Quick1", "&Number List", "Ctrl+Shift+N"),
        item("DefineList1", "Quick1", "&Define List", "Ctrl+Shift+D"),
        item("Form1", "Quick1", "F&orm", "Ctrl+Shift+O"),

        menu("Layout1", nullptr, "&Layout", "Document and page structure elements"),
        item("Document1", "Layout1", "&Document Helper..."),
        item("Color2", "Layout1", "Color Helper..."),
        item("Indent1", "Layout1", "&Indent", "Ctrl+W"),
        item("Center2", "Layout1", "&Center", "Ctrl+E"),
        item("Right2", "Layout1", "&Right", "Ctrl+R"),
        item("DblIndent1", "Layout1", "&Dbl Indent", "Ctrl+Alt+W"),
        menu("Heading1", "Layout1", "&Heading"),
        item("H11", "Heading1", "H&1  (largest)", "Alt+1"),
        item("H21", "Heading1", "H&2", "Alt+2"),
        item("H31", "Heading1", "H&3", "Alt+3"),
        item("H41", "Heading1", "H&4", "Alt+4"),
        item("H51", "Heading1", "H&5", "Alt+5"),
        item("H61", "Heading1", "H&6  (smallest)", "Alt+6"),
        item("LineBreak2", "Layout1", "Line &Break", "Ctrl+Return"),
        hidden("lbplus1", "Layout1", "lb plus", "Ctrl+Shift+Return"),
        item("HorzRule3", "Layout1", "&Horz Rule", "Alt+Return"),
        hidden("hrplus1", "Layout1", "hr plus", "Alt+Shift+Return"),
        item("Paragraph1", "Layout1", "Paragraph", "Ctrl+P"),
        menu("Tables3", "Layout1", "&Tables"),
        item("Quick4", "Tables3", "&Quick", "Ctrl+Shift+T"),
        item("Table2", "Tables3", " &Table", "Ctrl+Alt+T"),
        item("Row1", "Tables3", " &Row", "Ctrl+Alt+R"),
        item("DataCell1", "Tables3", " &Data Cell", "Ctrl+Alt+D"),
        item("HeaderCell1", "Tables3", " H&eader Cell", "Ctrl+Alt+H"),
        item("Helper5", "Tables3", "&Helper..."),
        menu("Lists2", "Layout1", "&Lists"),
        item("Quick6", "Lists2", "Quick &Bullet", "Ctrl+Shift+B"),
        item("QuickNumber1", "Lists2", "Quick &Number", "Ctrl+Shift+N"),
        item("QuickDefine1", "Lists2", "Quick &Define", "Ctrl+Shift+D"),
        item("QuickItem1", "Lists2", " &Item", "Ctrl+Alt+I"),
        item("Helper8", "Lists2", "&Helper..."),
        menu("Forms2", "Layout1", "F&orms"),
        item("Quick5", "Forms2", "&Quick", "Ctrl+Shift+O"),
        item("Helper6", "Forms2", "&Helper..."),

        menu("Character1", nullptr, "&Character", "Text fomatting"),
        item("Bold1", "Character1", "&Bold", "Ctrl+B"),
        item("Italics1", "Character1", "&Italics", "Ctrl+I"),
        item("Underline1", "Character1", "&Underline", "Ctrl+U"),
        menu("Color1", "Character1", "Size&&Colo&r"),
        item("Quick2", "Color1", "&Quick", "Ctrl+Shift+F"),
        item("Helper2", "Color1", "Helper..."),
        item("DocumentHelper1", "Color1", "Document Helper..."),
        item("Blink1", "Character1", "B&link"),
        item("Comment1", "Character1", "C&omment"),
        item("Monospaced1", "Character1", "&Monospaced"),
        item("Strikethrough1", "Character1", "Strike&through"),
        item("Subscript1", "Character1", "&Subscript"),
        item("Superscript1", "Character1", "Su&perscript"),
        item("SpecialChars1", "Character1", "Special &Chars...", "Ctrl+Shift+E"),
        item("UserTags1", "Character1", "User &Tags...", "Ctrl+Shift+U"),

        menu("LinksImages1", nullptr, "Links&&&Images"),
        menu("External1", "LinksImages1", "&Links"),
        item("Quick9", "External1", "Quick &Link", "Ctrl+Shift+L"),
        item("QuickInternal1", "External1", "Quick &Anchor", "Alt+Shift+L"),
        item("Helper9", "External1", "&Helper..."),
        menu("InlineImage1", "LinksImages1", "&Inline Image"),
        item("Quick7", "InlineImage1", "&Quick", "Ctrl+Shift+I"),
        item("Helper7", "InlineImage1", "&Helper..."),
        item("BackgroundImage1", "InlineImage1", "&Document Helper..."),

        menu("Window1", nullptr, "&Window"),
        item("Tabbed1", "Window1", "Ta&b"),
        item("Tile1", "Window1", "&Tile"),
        item("Cascade1", "Window1", "&Cascade"),
        hidden("switch1", "Window1", "   switch", "Ctrl+Tab"),

        menu("Help1", nullptr, "&Help"),
        item("Contents1", "Help1", "&Contents"),
        item("About1", "Help1", "&About"),
        item("AboutVellum1", "Help1", "About &VellumHTML"),
        item("ContactUs1", "Help1", "Contact &Us"),

        item("Exits1", nullptr, "E&xit"),
    };
}

std::vector<MenuEntry> buildContext() {
    std::vector<MenuEntry> table{
        item("Undo2", nullptr, "Undo"),
        item("Cut2", nullptr, "Cut"),
        item("Copy2", nullptr, "Copy"),
        item("Paste2", nullptr, "Paste"),
        {K::Separator, "N5", nullptr, "", nullptr, false, nullptr},
        item("RemoveTags2", nullptr, "Remove Tags"),
        hidden("removethem", nullptr, "removethem", "Ctrl+Shift+D"),
        separator(nullptr),
        menu("Character", nullptr, "Character"),
        menu("Layout", nullptr, "Layout"),
        menu("Quick", nullptr, "Quick"),
    };
    for (const TagCommand& command : tagCommands()) {
        if (*command.contextMenu != '\0')
            table.push_back(item(command.id, command.contextMenu, command.contextCaption));
    }
    table.push_back(item("SizeColor1", "Character", "Size&&Color..."));
    table.push_back(item("UserTags2", nullptr, "User Tags..."));
    table.push_back(item("EditTag2", nullptr, "Edit Tag in Helper"));
    return table;
}

} // namespace

const std::vector<MenuEntry>& mainMenuTable() {
    static const std::vector<MenuEntry> table = build();
    return table;
}

const std::vector<EditorKey>& editorKeyTable() {
    static const std::vector<EditorKey> table{
        {"bracketPair", "Ctrl+Shift+<"},
        {"bracketPair", "Ctrl+Shift+,"},
        {"closingBracketPair", "Ctrl+Shift+>"},
        {"closingBracketPair", "Ctrl+Shift+."},
        // The context menu's hidden "remove tags" item: its key is taken in the editor, over the
        // main menus' use of the same key.
        {"removethem", "Ctrl+Shift+D"},
    };
    return table;
}

const std::vector<ToolButtonEntry>& toolbarTable() {
    static const std::vector<ToolButtonEntry> table{
        {"SpeedButton1", "Open New Document", "document-new", "new2"},
        {"SpeedButton2", "Openm Existing Document", "document-open", "Open1"},
        {"msave", "Save Current Document", "document-save", "Save1"},
        {"SpeedButton3", "Print Current Document", "document-print", "Print1"},
        {"SpeedButton4", "Undo Last Action", "edit-undo", "Undo1"},
        {"SpeedButton5", "Cut Selection to Clipboard", "edit-cut", "Cut1"},
        {"SpeedButton6", "Copy Selection to Clipboard", "edit-copy", "Copy1"},
        {"SpeedButton7", "Paste from Clipboard", "edit-paste", "Paste1"},
        {"SpeedButton8", "Load File in Brower", "web-browser", "Preview1"},
        {"SpeedButton9", "Find/Replace Text", "edit-find-replace", "Replace1"},
        {"SpeedButton10", "Run Helper App", "system-run", "HelperApp1"},
        {"SpeedButton11", "Open Font Helper", "vellum-font", "Helper2"},
        {"SpeedButton12", "Open Table Helper", "vellum-table", "Helper5"},
        {"SpeedButton13", "Open List Helper", "vellum-list", "Helper8"},
        {"SpeedButton14", "Open Link Helper", "vellum-link", "Helper9"},
        {"SpeedButton15", "Open Color Helper", "vellum-color", "Color2"},
        {"SpeedButton16", "Open Image Helper", "vellum-image", "Helper7"},
        {"SpeedButton17", "Open User Tags Helper", "vellum-user-tags", "UserTags1"},
        {"SpeedButton18", "Open Form Helper", "vellum-form", "Helper6"},
        {"SpeedButton19", "Tab Windows", "vellum-tab-windows", "Tabbed1"},
        {"SpeedButton21", "Tile Windows", "vellum-tile-windows", "Tile1"},
        {"SpeedButton20", "Cascade Windows", "vellum-cascade-windows", "Cascade1"},
        {"SpeedButton22", "Close Current Document", "window-close", "Close1"},
    };
    return table;
}

const std::vector<MenuEntry>& contextMenuTable() {
    static const std::vector<MenuEntry> table = buildContext();
    return table;
}

} // namespace vellum
