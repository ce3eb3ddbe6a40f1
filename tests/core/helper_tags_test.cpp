#include "core/helpers/body_code.h"
#include "core/helpers/font_code.h"
#include "core/helpers/form_code.h"
#include "core/helpers/helper_tags.h"
#include "core/helpers/image_code.h"
#include "core/helpers/link_code.h"
#include "core/helpers/list_code.h"
#include "core/helpers/table_code.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

const QString WindowsPage = QStringLiteral("d:\\site\\index.htm");
const QString PosixPage = QStringLiteral("/home/ann/Site/index.htm");

QString page(PathStyle style) {
    return style == PathStyle::Windows ? WindowsPage : PosixPage;
}

// The helper's code again, from the options read back from `tag`.
QString regenerated(const QString& helper, const StartTag& tag, PathStyle style) {
    const QString document = page(style);
    if (helper == QLatin1String("Table"))
        return tableGenerator(tableOptionsFromTag(tag).value()).text;
    if (helper == QLatin1String("Document"))
        return bodyGenerator(bodyOptionsFromTag(tag, document, style).value(), style).output;
    if (helper == QLatin1String("Image"))
        return imageGenerator(imageOptionsFromTag(tag, document, style).value(), style).output;
    if (helper == QLatin1String("Font"))
        return fontGenerator(fontOptionsFromTag(tag).value()).open;
    if (helper == QLatin1String("Link")) {
        QString file;
        const LinkOptions o = linkOptionsFromTag(tag, style, &file).value();
        return o.useFile ? fileLinkOpen(o, file, document, style) : linkGenerator(o).open;
    }
    if (helper == QLatin1String("Form"))
        return formGenerator(formOptionsFromTag(tag).value());
    return listGenerator(listOptionsFromTag(tag).value()).text;
}

// The first tag of `code` that `helper` edits.
std::optional<StartTag> helperTag(const QString& code, const QString& helper) {
    for (int at = 0; at < code.size(); ++at) {
        const std::optional<StartTag> tag = startTagAt(code, at);
        if (tag && tag->start == at && helperForTag(*tag) == helper)
            return tag;
    }
    return std::nullopt;
}

// Code the helpers write (their own tests generate it), read back into the helper's options and
// written again: the same start tag, byte for byte.
TEST(HelperTags, GeneratedTagReadBackAndWrittenAgainIsTheSame) {
    constexpr PathStyle W = PathStyle::Windows, P = PathStyle::Posix;
    const struct {
        const char* helper;
        const char* code;
        PathStyle style = W;
        /// The tag carries what the user typed after the helper wrote it, which the update keeps.
        bool typed = false;
    } rows[] = {
        {"Table", "<TABLE border=1>\r\n\r\n</TABLE>"},
        {"Table",
         "<CENTER>\r\n<TABLE border=1>\r\n<CAPTION>  </CAPTION>\r\n\r\n</TABLE>\r\n</CENTER>"},
        {"Table", "<TABLE width=80% height=10% bgcolor=\"#FF0000\" align=left valign=top "
                  "cellspacing=3 cellpadding=4 border=1>"},
        {"Table", "<TR align=center valign=baseline>\r\n"},
        {"Table", "<TD width=20 height=30% bgcolor=\"#000080\" colspan=2 rowspan=3 align=center "
                  "valign=middle nowrap> \r\n"},
        {"Document", "<BODY>"},
        {"Document",
         "<BODY bgcolor=\"#302010\" text=\"#604020\" link=\"#906030\" alink=\"#C08040\" "
         "vlink=\"#F0A050\">"},
        {"Document", "<BODY background=\"pics/tile.gif\">"},
        {"Document", "<BODY background=\"file:///d|/site/tile.gif\">"},
        {"Document", "<BODY background=\"tile.gif\">"},
        {"Document", "<BODY background=\"Pics/Tile.GIF\">", P},
        {"Image", "<IMG src=\"pics/logo.gif\" alt=\"\" border=0 align=left height=31 width=88>"},
        {"Image", "<IMG src=\"pics/logo.gif\" border=0 hspace= vspace=>"},
        {"Image", "<IMG src=\"file:///d|/art/logo.gif\" border=0>"},
        {"Image", "<IMG src=\"file:///home/ann/Site/Logo.gif\" border=0>", P},
        {"Image", "<TD background=\"pics/logo.gif\">"},
        {"Font", "<FONT>"},
        {"Font", "<FONT color=\"#FF0000\" size=3>"},
        {"Link", "<A name=\"\">"},
        {"Link", "<A href=\"http://\">"},
        {"Link", "<A href=\"mailto:?subject= \">"},
        {"Link", "<A href=\"news:\">"},
        {"Link", "<A href=\"file:///d|/art/logo.gif\">"},
        {"Link", "<A href=\"file:///home/ann/Site/Pics/Logo.GIF\">", P},
        // A relative file link after a protocol reads as an address.
        {"Link", "<A href=\"http://pics/logo.gif\">", W, true},
        {"Form", "<FORM method=\"Post\" action=\"\">\r\n\r\n</FORM>"},
        {"Form", "<INPUT type=\"text\" maxlength=30 size=10 name=\"\" value=\"\">"},
        {"Form", "<INPUT type=\"hidden\" name=\"\" value=\"\">"},
        {"Form", "<TEXTAREA columns=35 rows=7></TEXTAREA>"},
        {"Form", "<INPUT type=\"radio\" name=\"colour\" value=\"\"> "},
        {"Form", "<INPUT type=\"checkbox\" name=\"\" value=\"\"> "},
        {"Form", "<SELECT size=3 multiple name=\"\">\r\n  <OPTION> \r\n  <OPTION> \r\n</SELECT>"},
        {"Form", "<SELECT size=1 name=\"\">\r\n</SELECT>"},
        {"Form", "<INPUT type=\"submit\" value=\"\">"},
        {"List", "<UL>\r\n<LI> \r\n<LI> \r\n</UL>"},
        {"List", "<OL start=3>\r\n<LI> \r\n<LI> \r\n</OL>"},
        {"List", "<DL>\r\n<DT> \r\n<DT> \r\n</DL>"},
        {"List", "<LI type=i> \r\n<LI> "},
        {"List", "<LI type=square> \r\n<LI> "},
        {"List", "<DT> \r\n<DT> "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.code);
        const std::optional<StartTag> tag = helperTag(row.code, row.helper);
        ASSERT_TRUE(tag);
        const QString again = regenerated(row.helper, *tag, row.style);
        // The background alone is compared in the tag it came from.
        const bool attributeAlone = again.startsWith("background=");
        if (!row.typed) {
            EXPECT_EQ(helperTag(attributeAlone ? "<TD " + again + ">" : again, row.helper)->text,
                      tag->text);
        }
        EXPECT_EQ(updatedStartTag(*tag, again, row.helper), tag->text);
    }
}

StartTag tagOf(const char* text) {
    return parseStartTag(QString::fromUtf8(text)).value();
}

TEST(HelperTags, TheTagDecidesTheHelper) {
    // Each helper with the tags it edits; "" for the tags no helper writes.
    const std::pair<const char*, QStringList> rows[] = {
        {"Table", {"<TABLE border=1>", "<tr>", "<Td nowrap>", "<TH>"}},
        {"Document", {"<BODY background=\"a.gif\">"}},
        {"Image", {"<IMG src=a.gif>", "<TD background=a.gif>", "<P BACKGROUND='a.gif'>"}},
        {"Font", {"<font size=2>"}},
        {"Link", {"<A href=x>"}},
        {"Form", {"<FORM>", "<INPUT>", "<input TYPE=Checkbox>", "<SELECT>", "<TEXTAREA>"}},
        {"List", {"<UL>", "<ol>", "<LI>"}},
        {"", {"<INPUT type=image>", "<P>", "<DIV class=x>", "<CENTER>"}},
    };
    for (const auto& [helper, tags] : rows) {
        for (const QString& tag : tags)
            EXPECT_EQ(helperForTag(parseStartTag(tag).value()), QString(helper))
                << tag.toStdString();
    }
}

TEST(HelperTags, FileReferenceReadBackForTheWindow) {
    const struct {
        const char* name;
        PathStyle style;
        const char* document;
        const char* written;
        const char* file;
        PathMode mode;
    } rows[] = {
        {"relative, below the folder", PathStyle::Windows, "d:\\site\\index.htm", "pics/a.gif",
         "d:/site/pics/a.gif", PathMode::Relative},
        {"a Windows file URL with its drive", PathStyle::Windows, "d:\\site\\index.htm",
         "FILE:///d|/art/a.gif", "d:/art/a.gif", PathMode::Absolute},
        {"a POSIX file URL", PathStyle::Posix, "/site/index.htm", "file:///home/A.gif",
         "/home/A.gif", PathMode::Absolute},
        {"a name in a document never saved", PathStyle::Posix, "", "a.gif", "a.gif",
         PathMode::NoPath},
        {"nothing written, nothing chosen", PathStyle::Posix, "/site/index.htm", "", "",
         PathMode::Relative},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ReadReference read = readFileReference(row.written, row.document, row.style);
        EXPECT_EQ(read.file, QString(row.file));
        EXPECT_EQ(read.mode, row.mode);
    }
}

TEST(HelperTags, FirstStartTagOfCode) {
    EXPECT_EQ(firstStartTag("\t<CENTER>\r\n\t<TABLE border=1>\r\n")->text, "<CENTER>");
    EXPECT_EQ(firstStartTag("<!-- <B> --></I> <A\r\nhref=\"x\">")->text, "<A\r\nhref=\"x\">");
    EXPECT_FALSE(firstStartTag("a < b </B>"));
}

TEST(HelperTags, UpdateKeepsWhatTheHelperDoesNotWrite) {
    const struct {
        const char* name;
        const char* original;
        const char* helper;
        const char* code; // what the helper writes now
        const char* updated;
    } rows[] = {
        {"unknown attributes stay in place with their quoting",
         "<table class=wide id='t1' border=1 style=\"x\" onclick=go() data-x=\"1\">", "Table",
         "<TABLE align=left border=3>",
         "<TABLE class=wide id='t1' align=left border=3 style=\"x\" onclick=go() data-x=\"1\">"},
        {"an attribute the helper no longer writes goes", "<TABLE border=1 cellpadding=4>", "Table",
         "<TABLE border=1>", "<TABLE border=1>"},
        {"a table centred by its attribute stays centred", "<TABLE ALIGN=Center border=1>", "Table",
         "<CENTER>\r\n<TABLE border=2>\r\n\r\n</TABLE>\r\n</CENTER>",
         "<TABLE ALIGN=Center border=2>"},
        {"a heading cell stays a heading cell", "<th class=h>", "Table", "<TD colspan=2> \r\n",
         "<th class=h colspan=2>"},
        {"names and values the user filled in", "<INPUT type=\"text\" size=20 name=q value='x'>",
         "Form", "<INPUT type=\"text\" size=30 name=\"\" value=\"\">",
         "<INPUT type=\"text\" size=30 name=q value='x'>"},
        {"an address after the same protocol", "<A href=\"http://a.org/?x=1&amp;y=2\">", "Link",
         "<A href=\"http://\" target=\"\">", "<A href=\"http://a.org/?x=1&amp;y=2\" target=\"\">"},
        {"another protocol drops the address", "<A href=\"http://a.org/\">", "Link",
         "<A href=\"ftp://\">", "<A href=\"ftp://\">"},
        {"mail with its subject", "<A href=\"mailto:ann@a.org?subject=Hi\">", "Link",
         "<A href=\"mailto:?subject= \">", "<A href=\"mailto:ann@a.org?subject=Hi\">"},
        {"a subject asked for on plain mail", "<A href=\"mailto:ann@a.org\">", "Link",
         "<A href=\"mailto:?subject= \">", "<A href=\"mailto:?subject= \">"},
        {"spacing filled in after the helper wrote it", "<IMG src=a.gif hspace=4 vspace='2'>",
         "Image", "<IMG src=\"a.gif\" border=0 hspace= vspace=>",
         "<IMG src=\"a.gif\" border=0 hspace=4 vspace='2'>"},
        {"a background replaced in its tag", "<td align=left background=\"old.gif\" id=c>", "Image",
         "background=\"new.gif\"", "<td align=left background=\"new.gif\" id=c>"},
        {"a colour unticked goes", "<BODY bgcolor=\"#FFFFFF\" onload=\"init()\" text=red>",
         "Document", "<BODY>", "<BODY onload=\"init()\">"},
        {"another tag from the helper replaces the tag", "<INPUT type=text id=a>", "Form",
         "<TEXTAREA columns=20 rows=20></TEXTAREA>", "<TEXTAREA columns=20 rows=20>"},
    };
    // The window shows such a table centred.
    EXPECT_EQ(tableOptionsFromTag(tagOf("<TABLE align=center>"))->align,
              TableOptions::HAlign::Center);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(updatedStartTag(tagOf(row.original), row.code, row.helper), QString(row.updated));
    }
}

} // namespace
} // namespace vellum
