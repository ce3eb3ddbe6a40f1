#include "core/editor/tag_commands.h"

#include "core/editor/auto_indent.h"
#include "core/editor/insertion.h"
#include "core/editor/quick_blocks.h"
#include "core/foundation/settings_file.h"

#include <QStringList>

namespace vellum {

namespace {

using K = TagCommand::Kind;
using A = TagCommand::After;

/// A context-menu submenu and the item's caption on it.
struct Place {
    const char* menu = "";
    const char* caption = "";
};

void place(TagCommand& c, Place where) {
    c.contextMenu = where.menu;
    c.contextCaption = where.caption;
}

TagCommand wrap(const char* id, const char* open, const char* close, const char* menu,
                Place context = {}) {
    TagCommand c{id, K::Wrap, open, close};
    c.menuItems = menu;
    place(c, context);
    return c;
}

TagCommand single(const char* id, const char* text, const char* menu, Place context = {},
                  bool enterFlag = false, A after = A::Nothing) {
    TagCommand c{id, K::Single, text};
    c.menuItems = menu;
    place(c, context);
    c.enterFlag = enterFlag;
    c.after = after;
    return c;
}

TagCommand tip(const char* id, const char* open, const char* close, const char* hint, int back,
               const char* menu, Place context) {
    TagCommand c{id, K::QuickTip, open, close};
    c.hint = hint;
    c.back = back;
    c.menuItems = menu;
    place(c, context);
    return c;
}

TagCommand block(const char* id, K kind, const char* menu, Place context = {},
                 const char* open = "", const char* item = "", const char* close = "") {
    TagCommand c{id, kind, open, close};
    c.item = item;
    c.menuItems = menu;
    place(c, context);
    return c;
}

std::vector<TagCommand> build() {
    return {
        // Quick menu.
        wrap("QuickFont", "<FONT size=>", "</FONT>", "Font2,Quick2", Place{"Quick", "Font"}),
        tip("QuickLink", "<A href=\"\">", "</A>", "an URL", 2, "Link1,Quick9",
            Place{"Quick", "Link"}),
        tip("QuickName", "<A name=\"\">", "</A>", "a NAME", 2, "Anchor1,QuickInternal1",
            Place{"Quick", "Name"}),
        // The back count is the opening text's length less 10: inside the quotes of src.
        tip("QuickImage", "<IMG src=\"\" border=0>", "", "image URL", 11, "Image1,Quick7",
            Place{"Quick", "Image"}),
        tip("QuickMail", "<A href=\"mailto:\">", "</A>", "an ADDRESS", 2, "MailTo1",
            Place{"Quick", "MailTo"}),
        block("QuickTable", K::QuickTable, "Table1,Quick4", Place{"Quick", "Table"}),
        block("QuickBullet", K::QuickList, "List1,Quick6", Place{"Quick", "List"}, "<UL>", "<LI> ",
              "</UL>"),
        block("QuickNumber", K::QuickList, "NumberList1,QuickNumber1", {}, "<OL>", "<LI> ",
              "</OL>"),
        block("QuickDefine", K::QuickList, "DefineList1,QuickDefine1", {}, "<DL>",
              "<DT> \r\n\t<DD> ", "</DL>"),
        block("QuickForm", K::QuickForm, "Form1,Quick5"),
        // Layout menu.
        single("Indent", "<DD>", "Indent1", Place{"Layout", "Indent"}),
        wrap("Center", "<CENTER>", "</CENTER>", "Center2", Place{"Layout", "Center"}),
        wrap("Right", "<P align=right>", "</P>", "Right2", Place{"Layout", "Right"}),
        wrap("DblIndent", "<BLOCKQUOTE>", "</BLOCKQUOTE>", "DblIndent1",
             Place{"Layout", "Dbl Indent"}),
        wrap("H1", "<H1>", "</H1>", "H11"),
        wrap("H2", "<H2>", "</H2>", "H21"),
        wrap("H3", "<H3>", "</H3>", "H31"),
        wrap("H4", "<H4>", "</H4>", "H41"),
        wrap("H5", "<H5>", "</H5>", "H51"),
        wrap("H6", "<H6>", "</H6>", "H61"),
        single("LineBreak", "<BR>", "LineBreak2", Place{"Layout", "Line Break"}, true),
        single("LineBreakPlus", "<BR clear=>", "lbplus1", {}, true, A::CaretBackOne),
        single("HorzRule", "<HR>", "HorzRule3", Place{"Layout", "Horz Rule"}, true),
        single("HorzRulePlus", "<HR align=center width=>", "hrplus1", {}, true, A::CaretBackOne),
        wrap("Paragraph", "<P>", "</P>", "Paragraph1", Place{"Layout", "Paragraph"}),
        single("Table", "<TABLE border=1>\r\n\r\n</TABLE>", "Table2", {}, false, A::LineAbove),
        single("Row", "<TR>", "Row1"),
        single("DataCell", "<TD>", "DataCell1"),
        single("HeaderCell", "<TH>", "HeaderCell1"),
        single("ListItem", "<LI>", "QuickItem1"),
        // Character menu.
        wrap("Bold", "<B>", "</B>", "Bold1", Place{"Character", "Bold"}),
        wrap("Italic", "<I>", "</I>", "Italics1", Place{"Character", "Italic"}),
        wrap("Underline", "<U>", "</U>", "Underline1", Place{"Character", "Underline"}),
        wrap("Blink", "<BLINK>", "</BLINK>", "Blink1"),
        wrap("Comment", "<!--", "-->", "Comment1", Place{"Character", "Comment"}),
        wrap("Monospaced", "<KBD>", "</KBD>", "Monospaced1"),
        wrap("Strikethrough", "<STRIKE>", "</STRIKE>", "Strikethrough1"),
        wrap("Subscript", "<SUB>", "</SUB>", "Subscript1"),
        wrap("Superscript", "<SUP>", "</SUP>", "Superscript1"),
    };
}

bool atLineStart(TextControl& editor) {
    const int start = editor.selection().start;
    return editor.lineStart(editor.lineFromPosition(start)) == start;
}

// The sample blocks start on a line of their own: a caret inside a line breaks it (a selection
// starting there is replaced by the break). Returns the line the block starts on.
int blockStartLine(TextControl& editor) {
    int line = CaretLine(editor);
    if (!atLineStart(editor)) {
        editor.replaceSelection(QStringLiteral("\r\n"));
        ++line;
    }
    return line;
}

void insertBlock(DocumentView& document, TextControl& scratch, const QString& text) {
    scratch.replaceSelection(text);
    docops::insertScratch(document, scratch);
}

void runSingle(const TagCommand& command, DocumentView& document, TextControl& scratch,
               InsertionSlots& shared, QString& enterFlag) {
    TextControl& editor = document.editor();
    editor.emptyUndoBuffer();
    scratch.emptyUndoBuffer();
    insertBlock(document, scratch, QString::fromLatin1(command.open));
    if (command.enterFlag)
        enterFlag = QString::fromLatin1(NoEnter);
    if (command.after == TagCommand::After::CaretBackOne) {
        shared.caretShift = -1;
        docops::collapseSelection(editor, shared);
    } else if (command.after == TagCommand::After::LineAbove) {
        SetCaretLine(editor, CaretLine(editor) - 1);
    }
}

} // namespace

const std::vector<TagCommand>& tagCommands() {
    static const std::vector<TagCommand> table = build();
    return table;
}

const TagCommand* tagCommandForMenuItem(const char* name) {
    const QString wanted = QString::fromLatin1(name);
    for (const TagCommand& command : tagCommands()) {
        if (QString::fromLatin1(command.menuItems).split(QLatin1Char(',')).contains(wanted))
            return &command;
    }
    return nullptr;
}

void runTagCommand(const TagCommand& command, DocumentView& document, TextControl& scratch,
                   InsertionSlots& shared, QString& enterFlag, const SettingsFile& settings) {
    TextControl& editor = document.editor();
    switch (command.kind) {
    case TagCommand::Kind::Wrap:
        shared.tagOpen = QString::fromLatin1(command.open);
        shared.tagClose = QString::fromLatin1(command.close);
        docops::wrapInTags(document, scratch, shared, shared.tagOpen, shared.tagClose);
        break;
    case TagCommand::Kind::Single:
        runSingle(command, document, scratch, shared, enterFlag);
        break;
    case TagCommand::Kind::QuickTip:
        shared.tagOpen = QString::fromLatin1(command.open);
        shared.tagClose = QString::fromLatin1(command.close);
        shared.tipText = QString::fromLatin1(command.hint);
        docops::wrapWithHint(document, scratch, shared, shared.tipText, command.back);
        document.lineSet();
        break;
    case TagCommand::Kind::QuickTable: {
        int line = blockStartLine(editor);
        if (quickTableHasCaption(settings))
            ++line;
        insertBlock(document, scratch, quickTableText(settings));
        docops::gotoLineEnd(editor, line + 3);
        document.lineSet();
        break;
    }
    case TagCommand::Kind::QuickList: {
        shared.tagOpen = QString::fromLatin1(command.open);
        shared.tagItem = QString::fromLatin1(command.item);
        shared.tagClose = QString::fromLatin1(command.close);
        const int line = blockStartLine(editor);
        insertBlock(document, scratch,
                    quickListText(settings, shared.tagOpen, shared.tagItem, shared.tagClose));
        docops::gotoLineEnd(editor, line + 2);
        document.lineSet();
        break;
    }
    case TagCommand::Kind::QuickForm: {
        const int line = blockStartLine(editor);
        insertBlock(document, scratch, quickFormText(settings));
        docops::gotoLineEnd(editor, line + 1);
        shared.tagOpen.clear();
        shared.tagClose.clear();
        shared.tipText = QStringLiteral("an URL");
        docops::wrapWithHint(document, scratch, shared, shared.tipText, 2);
        document.lineSet();
        break;
    }
    }
}

} // namespace vellum
