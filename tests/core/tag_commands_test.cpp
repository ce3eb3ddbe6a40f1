// The tag commands run by their menu items on a buffer document: the texts they insert, where the
// caret lands, the Enter flag and the tip. Also the editor font kept in the settings.
#include "core/editor/editor_font.h"
#include "core/editor/tag_commands.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_document.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace vellum {
namespace {

using test::BufferDocument;
using test::load;
using test::show;

struct Session {
    BufferDocument document;
    TextBuffer scratch;
    InsertionSlots shared;
    QString enterFlag;
};

// Writes "key=value key=value" to a section.
void writeKeys(SettingsFile& settings, const char* section, const QString& keys) {
    for (const QString& pair : keys.split(' ', Qt::SkipEmptyParts))
        settings.writeText(section, pair.section('=', 0, 0), pair.section('=', 1));
}

// Runs the command of a main-menu item with `quick` ("qrow=1 qcell=3") in the [Quick] section.
void runItem(Session& run, const char* item, const QString& quick = {}) {
    test::TempHome home;
    SettingsFile settings(home.settingsPath());
    writeKeys(settings, "Quick", quick);
    const TagCommand* command = tagCommandForMenuItem(item);
    ASSERT_NE(command, nullptr) << item;
    runTagCommand(*command, run.document, run.scratch, run.shared, run.enterFlag, settings);
}

const QString Table = "<TABLE border=1>\r\n <TR>\r\n\t<TD> |\r\n\t<TD> \r\n <TR>\r\n\t<TD> \r\n"
                      "\t<TD> \r\n</TABLE>\r\n";
const QString FormStart = "<FORM method=\"POST\" action=\"|\">\r\n";
const QString TextArea = "\t<TEXTAREA name=\"\" cols=35 rows=7></TEXTAREA>\r\n";
const QString FormEnd = "\t<INPUT type=\"submit\" value=\"\">\r\n"
                        "\t<INPUT type=\"reset\" value=\"\">\r\n"
                        "</FORM>\r\n";
const QString Options = "\t  <OPTION> \r\n\t  <OPTION> \r\n\t  <OPTION> \r\n";
const QString EditField = "\t<INPUT type=text name=\"\" value=\"\"> \r\n";

TEST(TagCommands, InsertTheirTextsAndPlaceTheCaret) {
    struct Row {
        QString name;
        const char* item;
        QString before;
        QString after;
        QString tip = "";
        QString enterFlag = "";
        QString quick = "";
    };
    std::vector<Row> rows = {
        {"bold with no selection puts the caret between the tags", "Bold1", "ab|cd",
         "ab<B>|</B>cd"},
        {"bold keeps a trailing space outside", "Bold1", "[word ]x", "<B>[word]</B> x"},
        {"line break mid-line breaks no line and flags Enter", "LineBreak2", "ab|cd", "ab<BR>|cd",
         "", "noEnter"},
        {"lb plus leaves the caret before >", "lbplus1", "|", "<BR clear=|>", "", "noEnter"},
        {"hr plus leaves the caret before >", "hrplus1", "|", "<HR align=center width=|>", "",
         "noEnter"},
        {"horz rule", "HorzRule3", "|", "<HR>|", "", "noEnter"},
        {"table puts the caret on its empty middle line", "Table2", "ab|cd",
         "ab<TABLE border=1>\r\n|\r\n</TABLE>cd"},
        {"quick table in an empty document", "Table1", "|", Table},
        {"quick table mid-line goes after a line break", "Quick4", "ab|cd",
         "ab\r\n" + Table + "cd"},
        {"quick table caption keeps the caret in the first cell", "Table1", "|",
         "<TABLE border=1>\r\n<CAPTION>  </CAPTION>\r\n <TR>\r\n\t<TD> |\r\n\t<TD> \r\n <TR>\r\n"
         "\t<TD> \r\n\t<TD> \r\n</TABLE>\r\n",
         "", "", "qcaption=sure"},
        {"quick table replaces a mid-line selection by the line break", "Table1", "a[bc]d",
         "a\r\n" + Table + "d"},
        {"quick table replaces a selection from a line start", "Table1", "[ab]c", Table + "c"},
        {"quick table border, one row of three cells", "Table1", "|",
         "<TABLE border=0>\r\n <TR>\r\n\t<TD> |\r\n\t<TD> \r\n\t<TD> \r\n</TABLE>\r\n", "", "",
         "qborder=0 qrow=1 qcell=3"},
        {"quick table with no rows", "Table1", "|", "<TABLE border=1>\r\n</TABLE>\r\n|", "", "",
         "qrow=-1"},
        {"bullet list", "List1", "|", "<UL>\r\n\t<LI> |\r\n\t<LI> \r\n</UL>"},
        {"bullet list mid-line goes after a line break", "Quick6", "ab|cd",
         "ab\r\n<UL>\r\n\t<LI> |\r\n\t<LI> \r\n</UL>cd"},
        {"number list", "NumberList1", "|", "<OL>\r\n\t<LI> |\r\n\t<LI> \r\n</OL>"},
        {"quick number of the Lists menu", "QuickNumber1", "|",
         "<OL>\r\n\t<LI> |\r\n\t<LI> \r\n</OL>"},
        {"definition list", "DefineList1", "|",
         "<DL>\r\n\t<DT> |\r\n\t<DD> \r\n\t<DT> \r\n\t<DD> \r\n</DL>"},
        {"list of three items", "List1", "|", "<UL>\r\n\t<LI> |\r\n\t<LI> \r\n\t<LI> \r\n</UL>", "",
         "", "qlitem=3"},
        {"list with no items", "List1", "|", "<UL>\r\n</UL>|", "", "", "qlitem=-1"},
        {"quick form", "Form1", "|", FormStart + TextArea + FormEnd, "an URL"},
        {"quick form without the text area", "Quick5", "|", FormStart + FormEnd, "an URL", "",
         "qftextarea=x"},
        {"quick form with every field", "Form1", "|",
         FormStart + "\t<INPUT type=hidden name=\"\" value=\"\"> \r\n" + EditField +
             "\t<INPUT type=radio name=\"\" value=\"\"> \r\n" +
             "\t<INPUT type=checkbox name=\"\" value=\"\"> \r\n" + "\t<SELECT name=\"\">\r\n" +
             Options + "\t</SELECT>\r\n" + "\t<SELECT name=\"\" size=3>\r\n" + Options +
             "\t</SELECT>\r\n" + TextArea + FormEnd,
         "an URL", "", "qfhidden=1 qfedit=1 qfradio=1 qfcheck=1 qflistbox=1 qfdroplist=1"},
        {"quick form with two edit fields", "Form1", "|",
         FormStart + EditField + EditField + TextArea + FormEnd, "an URL", "", "qfedit=2"},
        {"quick link at the caret", "Link1", "go |", "go <A href=\"|\"></A>", "an URL"},
        {"quick link around a word", "Quick9", "[word]", "<A href=\"|\">word</A>", "an URL"},
        {"quick name", "Anchor1", "|", "<A name=\"|\"></A>", "a NAME"},
        {"quick anchor of the Links menu", "QuickInternal1", "|", "<A name=\"|\"></A>", "a NAME"},
        {"mail to", "MailTo1", "|", "<A href=\"mailto:|\"></A>", "an ADDRESS"},
        {"quick image goes before a selected word", "Image1", "[word]",
         "<IMG src=\"|\" border=0>word", "image URL"},
    };

    // Every wrapping command on a selected x, every single tag in place of it.
    const std::pair<const char*, std::pair<const char*, const char*>> wraps[] = {
        {"Bold1", {"<B>", "</B>"}},
        {"Italics1", {"<I>", "</I>"}},
        {"Underline1", {"<U>", "</U>"}},
        {"Blink1", {"<BLINK>", "</BLINK>"}},
        {"Comment1", {"<!--", "-->"}},
        {"Monospaced1", {"<KBD>", "</KBD>"}},
        {"Strikethrough1", {"<STRIKE>", "</STRIKE>"}},
        {"Subscript1", {"<SUB>", "</SUB>"}},
        {"Superscript1", {"<SUP>", "</SUP>"}},
        {"Center2", {"<CENTER>", "</CENTER>"}},
        {"Right2", {"<P align=right>", "</P>"}},
        {"Paragraph1", {"<P>", "</P>"}},
        {"DblIndent1", {"<BLOCKQUOTE>", "</BLOCKQUOTE>"}},
        {"H11", {"<H1>", "</H1>"}},
        {"H21", {"<H2>", "</H2>"}},
        {"H31", {"<H3>", "</H3>"}},
        {"H41", {"<H4>", "</H4>"}},
        {"H51", {"<H5>", "</H5>"}},
        {"H61", {"<H6>", "</H6>"}},
        {"Font2", {"<FONT size=>", "</FONT>"}},
        {"Quick2", {"<FONT size=>", "</FONT>"}},
    };
    for (const auto& [item, tags] : wraps)
        rows.push_back({QStringLiteral("wrap ") + item, item, "a[x]b",
                        QStringLiteral("a%1[x]%2b").arg(tags.first, tags.second)});
    const std::pair<const char*, const char*> singles[] = {
        {"Indent1", "<DD>"},     {"Row1", "<TR>"},       {"DataCell1", "<TD>"},
        {"HeaderCell1", "<TH>"}, {"QuickItem1", "<LI>"},
    };
    for (const auto& [item, text] : singles)
        rows.push_back(
            {QStringLiteral("single ") + item, item, "a[x]b", QStringLiteral("a%1|b").arg(text)});

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        Session run;
        load(run.document.buffer, row.before);
        runItem(run, row.item, row.quick);
        EXPECT_EQ(show(run.document.buffer), row.after);
        EXPECT_EQ(run.enterFlag, row.enterFlag);
        EXPECT_EQ(run.document.tip, row.tip);
        EXPECT_EQ(run.scratch.text(), "");
        EXPECT_TRUE(run.document.buffer.isModified());
    }
}

TEST(TagCommands, SingleTagsEmptyTheUndoHistory) {
    for (const char* item : {"LineBreak2", "HorzRule3", "Table2", "Indent1", "lbplus1"}) {
        SCOPED_TRACE(item);
        Session run;
        load(run.document.buffer, "ab|");
        run.document.buffer.typeText("c");
        run.scratch.typeText("d");
        ASSERT_TRUE(run.document.buffer.canUndo());
        runItem(run, item);
        EXPECT_FALSE(run.document.buffer.canUndo());
        EXPECT_FALSE(run.scratch.canUndo());
    }
}

TEST(EditorFont, StyleTextNamesOnlyTheFourPlainStyles) {
    const struct {
        bool bold, italic, underline, strikeOut;
        const char* text;
    } rows[] = {
        {false, false, false, false, "regular"}, {true, false, false, false, "bold"},
        {false, true, false, false, "italic"},   {true, true, false, false, "bolditalic"},
        {true, false, true, false, ""},          {false, false, false, true, ""},
    };
    for (const auto& row : rows) {
        EditorFont font = EditorFont::defaults();
        font.bold = row.bold;
        font.italic = row.italic;
        font.underline = row.underline;
        font.strikeOut = row.strikeOut;
        EXPECT_EQ(fontStyleText(font), row.text) << row.bold << row.italic << row.underline;
    }
}

// "Arial 9 bold italic underline strikeout", the styles that are on.
QString described(const EditorFont& font) {
    QString text = font.name + ' ' + QString::number(font.size);
    const std::pair<bool, const char*> styles[] = {{font.bold, " bold"},
                                                   {font.italic, " italic"},
                                                   {font.underline, " underline"},
                                                   {font.strikeOut, " strikeout"}};
    for (const auto& [on, name] : styles)
        text += on ? name : "";
    return text;
}

TEST(EditorFont, ReadingKeepsWhatTheSettingsDoNotSay) {
    const struct {
        const char* name;
        const char* keys;
        const char* font;
    } rows[] = {
        {"an empty style leaves the style",
         "Tname=Courier Tsize=12 Tstyle=", "Courier 12 bold underline"},
        {"a known style replaces it, underline off", "Tstyle=italic", "Arial 9 italic"},
        {"an unknown style leaves it", "Tstyle=fancy", "Arial 9 bold underline"},
        {"an empty name and a zero size keep the current ones", "Tname= Tsize=0",
         "Arial 9 bold underline"},
        {"bold italic", "Tstyle=bolditalic", "Arial 9 bold italic"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        test::TempHome home;
        SettingsFile settings(home.settingsPath());
        writeKeys(settings, "Slate*Rivet", row.keys);
        EditorFont current;
        current.name = "Arial";
        current.size = 9;
        current.bold = true;
        current.underline = true;
        EXPECT_EQ(described(readEditorFont(settings, current)), row.font);
    }
}

TEST(EditorFont, SixteenTabStopsSixPointsPerCharacter) {
    QList<double> expected;
    for (int i = 1; i <= 16; ++i)
        expected << 24.0 * i;
    EXPECT_EQ(tabStopPoints(4), expected);
    EXPECT_EQ(tabStopPoints(4).first(), 24.0);
    EXPECT_EQ(tabStopPoints(4).last(), 384.0);
}

} // namespace
} // namespace vellum
