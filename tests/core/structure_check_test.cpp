// The structure part of the page check: Tidy's errors and warnings, worded as Tidy words them and
// placed on the offending text as the editor counts lines and columns.
#include "core/editor/structure_check.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

const char* const Html5Head = "<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>t</title>\r\n"
                              "</head>\r\n<body>\r\n";
const char* const Strict401Head =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
    "\"http://www.w3.org/TR/html4/strict.dtd\">\r\n<html>\r\n<head>\r\n<title>t</title>\r\n"
    "</head>\r\n<body>\r\n";
const char* const Html32Head = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n"
                               "<HTML>\r\n<HEAD>\r\n<TITLE>t</TITLE>\r\n</HEAD>\r\n<BODY>\r\n";

/// A finding as one line: kind, line:column, the selected text and the message.
QString described(const Finding& finding, const QString& text) {
    return QStringLiteral("%1 %2:%3 [%4] %5")
        .arg(findingKindText(finding.kind))
        .arg(finding.line)
        .arg(finding.column)
        .arg(text.mid(finding.start, finding.end - finding.start), finding.message);
}

QStringList describedFindings(const QString& text) {
    QStringList lines;
    for (const Finding& finding : structureFindings(text))
        lines << described(finding, text);
    return lines;
}

TEST(StructureCheck, EachFaultPlacedOnItsTextAndWorded) {
    struct Row {
        const char* intent;
        const char* head;
        QString body; // on line 7 of the page
        QStringList expected;
    };
    const Row rows[] = {
        {"unclosed element",
         Html5Head,
         "<div><p>a <b>bold</p></div>",
         {"warning 7:11 [<b>] missing </b> before </p>"}},
        {"misnested elements",
         Html5Head,
         "<p><b><i>x</b></i></p>",
         {"warning 7:7 [<i>] replacing unexpected b with </b>",
          "warning 7:15 [</i>] inserting implicit <i>", "warning 7:15 [</i>] trimming empty <i>"}},
        {"unknown element",
         Html5Head,
         "<p>a <foo>x</foo></p>",
         {"error 7:6 [<foo>] <foo> is not recognized!",
          "warning 7:6 [<foo>] discarding unexpected <foo>",
          "warning 7:12 [</foo>] discarding unexpected </foo>"}},
        {"unknown attribute, its tag selected past a quoted '>'",
         Html5Head,
         "<p title=\"a>b\" bar=1>x</p>",
         {"warning 7:1 [<p title=\"a>b\" bar=1>] <p> proprietary attribute \"bar\""}},
        {"missing alt",
         Html5Head,
         "<p><img src=\"a.png\"></p>",
         {"warning 7:4 [<img src=\"a.png\">] <img> lacks \"alt\" attribute"}},
        {"duplicate id",
         Html5Head,
         "<p id=\"a\">1</p><p id=\"a\">2</p>",
         {"warning 7:16 [<p id=\"a\">] <p> anchor \"a\" already defined"}},
        {"bad entities",
         Html5Head,
         "<p>&bogus; x &amp y</p>",
         {"warning 7:4 [&bogus;] unescaped & or unknown entity \"&bogus\"",
          "warning 7:14 [&amp] entity \"&amp\" doesn't end in ';'"}},
        {"element of another version",
         Strict401Head,
         "<center>x</center>",
         {"error 7:1 [<center>] <center> element not available in HTML 4.01 Strict"}},
        {"attribute of another version",
         Html32Head,
         "<FONT FACE=\"Arial\">x</FONT>",
         {"warning 7:1 [<FONT FACE=\"Arial\">] <font> attribute \"face\" not allowed for HTML "
          "3.2"}},
        {"tab, character outside the BMP and control character before the fault",
         Html5Head,
         QStringLiteral("<p>\t\U0001F600 \x01x<foo>x</foo></p>"),
         {"error 7:10 [<foo>] <foo> is not recognized!",
          "warning 7:10 [<foo>] discarding unexpected <foo>",
          "warning 7:16 [</foo>] discarding unexpected </foo>"}},
        {"lone surrogate before the fault",
         Html5Head,
         QStringLiteral("<p>") + QChar(0xD800) + QStringLiteral("<img src=a></p>"),
         {"warning 7:5 [<img src=a>] <img> lacks \"alt\" attribute"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        const QString page =
            QString::fromLatin1(row.head) + row.body + QStringLiteral("\r\n</body>\r\n</html>\r\n");
        EXPECT_EQ(describedFindings(page), row.expected);
        // The same page with LF or CR line breaks: the same findings on the same lines.
        for (const char* lineBreak : {"\n", "\r"}) {
            QString other = page;
            other.replace(QStringLiteral("\r\n"), QString::fromLatin1(lineBreak));
            EXPECT_EQ(describedFindings(other), row.expected) << "line breaks " << lineBreak[0] + 0;
        }
    }
}

TEST(StructureCheck, CleanPageOfEachVersionHasNoFinding) {
    struct Row {
        const char* intent;
        const char* text;
    };
    const Row rows[] = {
        {"HTML 3.2",
         "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2 Final//EN\">\r\n<HTML>\r\n<HEAD>\r\n"
         "<TITLE>Old</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\">\r\n"
         "<CENTER><FONT SIZE=\"+1\" COLOR=\"red\">Hi</FONT></CENTER>\r\n"
         "<TABLE BORDER=\"1\" WIDTH=\"100%\"><TR><TD ALIGN=\"center\">c</TD></TR></TABLE>\r\n"
         "<P ALIGN=\"left\"><A HREF=\"a.htm\">a</A> <IMG SRC=\"a.gif\" ALT=\"a\" BORDER=\"0\">\r\n"
         "<BR CLEAR=\"all\">\r\n</BODY>\r\n</HTML>\r\n"},
        {"HTML 4.01 Transitional",
         "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
         "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n<html>\r\n<head>\r\n<title>T</title>\r\n"
         "</head>\r\n<body bgcolor=\"#ffffff\">\r\n<center><font "
         "face=\"Arial\">Hi</font></center>\r\n"
         "<table border=\"1\"><tr><td align=\"center\">c</td></tr></table>\r\n"
         "<p><a href=\"a.htm\" name=\"top\" target=\"_blank\">a</a> <img src=\"a.gif\" alt=\"a\"> "
         "<acronym title=\"x\">X</acronym>&nbsp;&copy;</p>\r\n</body>\r\n</html>\r\n"},
        {"HTML 4.01 Strict",
         "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" "
         "\"http://www.w3.org/TR/html4/strict.dtd\">\r\n<html>\r\n<head>\r\n<title>T</title>\r\n"
         "</head>\r\n<body>\r\n<table><tr><td>c</td></tr></table>\r\n"
         "<p><a href=\"a.htm\">a</a> <img src=\"a.gif\" alt=\"a\"> <tt>t</tt></p>\r\n"
         "</body>\r\n</html>\r\n"},
        {"HTML5",
         "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
         "<title>T</title>\r\n</head>\r\n<body>\r\n<header><nav><a href=\"a.htm\">a</a></nav>"
         "</header>\r\n<main><section><h1>T</h1><p><img src=\"a.gif\" alt=\"a\"> "
         "<time datetime=\"2020-01-01\">t</time></p></section></main>\r\n</body>\r\n</html>\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        EXPECT_EQ(describedFindings(QString::fromLatin1(row.text)), QStringList());
    }
}

TEST(StructureCheck, FaultLateOnAFiveMegabyteLine) {
    QString page = QString::fromLatin1(Html5Head);
    while (page.size() < 5 * (1 << 20))
        page += QStringLiteral("<p>Some <b>words</b> &amp; more.</p> ");
    const int fault = static_cast<int>(page.size()) + 3;
    page += QStringLiteral("<p><img src=\"x.png\"></p>\r\n</body>\r\n</html>\r\n");
    const QList<Finding> findings = structureFindings(page);
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings[0].start, fault);
    EXPECT_EQ(page.mid(fault, findings[0].end - fault), QStringLiteral("<img src=\"x.png\">"));
    EXPECT_EQ(findings[0].line, 7);
    EXPECT_EQ(findings[0].column, fault - page.indexOf(QStringLiteral("<p>")) + 1);
}

} // namespace
} // namespace vellum
