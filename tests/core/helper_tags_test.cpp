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

#include <functional>

namespace vellum {
namespace {

using H = TableOptions::HAlign;
using V = TableOptions::VAlign;
using Kind = FormOptions::Kind;
using Protocol = LinkOptions::Protocol;
using Style = ListOptions::Style;

const QString WindowsPage = QStringLiteral("d:\\site\\index.htm");
const QString PosixPage = QStringLiteral("/home/ann/Site/index.htm");

QString page(PathStyle style) {
    return style == PathStyle::Windows ? WindowsPage : PosixPage;
}

// Each helper's code for options set by `set`, from the options' starting values.
template <typename Options> using Set = std::function<void(Options&)>;

QString table(Set<TableOptions> set) {
    TableOptions o;
    set(o);
    return tableGenerator(o).text;
}
QString body(const char* file, PathMode mode, PathStyle style, Set<BodyOptions> set = {}) {
    BodyOptions o;
    o.backgroundImage = *file != '\0', o.file = file, o.documentPath = page(style), o.path = mode;
    if (set)
        set(o);
    return bodyGenerator(o, style).output;
}
QString image(const char* file, PathStyle style, Set<ImageOptions> set) {
    ImageOptions o;
    o.file = file, o.documentPath = page(style);
    set(o);
    return imageGenerator(o, style).output;
}
QString font(bool noColor, quint32 colour, int size) {
    return fontGenerator({noColor, colour, size}).open;
}
QString link(Set<LinkOptions> set) {
    LinkOptions o;
    set(o);
    return linkGenerator(o).open;
}
QString fileLink(Protocol protocol, PathMode mode, PathStyle style, const char* file) {
    LinkOptions o;
    o.protocol = protocol, o.path = mode, o.useFile = true;
    return fileLinkOpen(o, file, page(style), style);
}
QString form(Set<FormOptions> set) {
    FormOptions o;
    set(o);
    return formGenerator(o);
}
QString list(Set<ListOptions> set) {
    ListOptions o;
    set(o);
    return listGenerator(o).text;
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

TEST(HelperTags, GeneratedTagReadBackAndWrittenAgainIsTheSame) {
    constexpr PathStyle W = PathStyle::Windows, P = PathStyle::Posix;
    const struct {
        const char* name;
        const char* helper;
        QString code;
        PathStyle style = W;
        /// The tag carries what the user typed after the helper wrote it, which the update keeps.
        bool typed = false;
    } rows[] = {
        {"table with starting values", "Table", table([](TableOptions&) {})},
        {"centred table, read inside its CENTER", "Table",
         table([](TableOptions& o) { o.align = H::Center, o.captionOrNoWrap = true; })},
        {"table width in percent and a colour", "Table", table([](TableOptions& o) {
             o.width = "50", o.widthPercent = o.colourOn = true, o.colour = 0xFF;
         })},
        {"every table attribute", "Table", table([](TableOptions& o) {
             o.width = "80", o.height = "10", o.heightPercent = true, o.align = H::Left;
             o.valign = V::Top, o.spacing = "3", o.padding = "4";
         })},
        {"centred baseline row", "Table", table([](TableOptions& o) {
             o.mode = TableOptions::Mode::Row, o.align = H::Center, o.valign = V::Baseline;
         })},
        {"every cell attribute", "Table", table([](TableOptions& o) {
             o.mode = TableOptions::Mode::Cell, o.width = "20", o.height = "30";
             o.heightPercent = o.colourOn = o.captionOrNoWrap = true, o.colour = 0x800000;
             o.border = "2", o.spacing = "3", o.align = H::Center, o.valign = V::Middle;
         })},
        {"body with nothing", "Document", body("", PathMode::Relative, W)},
        {"body with all five colours", "Document",
         body("", PathMode::Relative, W,
              [](BodyOptions& o) {
                  for (int i = 0; i < PageColourCount; ++i)
                      o.colours[i] = {true, 0x102030u * quint32(i + 1)};
              })},
        {"relative background", "Document",
         body("D:\\Site\\Pics\\Tile.gif", PathMode::Relative, W)},
        {"absolute background", "Document", body("D:\\Site\\Tile.gif", PathMode::Absolute, W)},
        {"background by name alone", "Document", body("D:\\Site\\Tile.gif", PathMode::NoPath, W)},
        {"POSIX background keeps its case", "Document",
         body("/home/ann/Site/Pics/Tile.GIF", PathMode::Relative, P), P},
        {"image with alt, left and its size", "Image",
         image("D:\\Site\\Pics\\Logo.GIF", W,
               [](ImageOptions& o) {
                   o.alt = o.heightWidth = true, o.align = "left", o.measured = QSize(88, 31);
               })},
        {"image with border 1 left out", "Image",
         image("D:\\Site\\Pics\\Logo.GIF", W, [](ImageOptions& o) { o.border = "1"; })},
        {"image with spacing to fill in", "Image",
         image("D:\\Site\\Pics\\Logo.GIF", W, [](ImageOptions& o) { o.hspace = o.vspace = true; })},
        {"image outside the site, absolute", "Image",
         image("D:\\Art\\Logo.GIF", W, [](ImageOptions&) {})},
        {"POSIX absolute image", "Image",
         image("/home/ann/Site/Logo.gif", P, [](ImageOptions& o) { o.path = PathMode::Absolute; }),
         P},
        {"background of a cell", "Image",
         "<TD " +
             image("D:\\Site\\Pics\\Logo.GIF", W, [](ImageOptions& o) { o.background = true; }) +
             ">"},
        {"font with nothing", "Font", font(true, 0, 0)},
        {"font colour and size", "Font", font(false, 0x0000FF, 3)},
        {"name anchor", "Link", link([](LinkOptions& o) { o.name = true; })},
        {"http", "Link", link([](LinkOptions& o) { o.protocol = Protocol::Http; })},
        {"no protocol with target", "Link", link([](LinkOptions& o) { o.target = true; })},
        {"mail with a subject", "Link",
         link([](LinkOptions& o) { o.protocol = Protocol::Mailto, o.target = true; })},
        {"news", "Link", link([](LinkOptions& o) { o.protocol = Protocol::News; })},
        {"absolute file link", "Link",
         fileLink(Protocol::Http, PathMode::Relative, W, "D:\\Art\\Logo.GIF")},
        {"POSIX absolute file link", "Link",
         fileLink(Protocol::None, PathMode::Absolute, P, "/home/ann/Site/Pics/Logo.GIF"), P},
        {"relative file link, read as an address", "Link",
         fileLink(Protocol::Http, PathMode::Relative, W, "D:\\Site\\Pics\\Logo.GIF"), W, true},
        {"new form", "Form", form([](FormOptions&) {})},
        {"text with max length", "Form", form([](FormOptions& o) {
             o.kind = Kind::Text, o.maxLength = true, o.first = "30", o.second = "10";
         })},
        {"hidden", "Form", form([](FormOptions& o) { o.kind = Kind::Hidden; })},
        {"text area", "Form",
         form([](FormOptions& o) { o.kind = Kind::TextArea, o.first = "35", o.second = "7"; })},
        {"radio of a group", "Form",
         form([](FormOptions& o) { o.kind = Kind::Radio, o.group = "colour"; })},
        {"check box", "Form", form([](FormOptions& o) { o.kind = Kind::Check; })},
        {"multiple list box", "Form", form([](FormOptions& o) {
             o.kind = Kind::ListBox, o.yes = true, o.options = 5, o.second = "3";
         })},
        {"drop-down list", "Form", form([](FormOptions& o) { o.kind = Kind::DropList; })},
        {"submit", "Form", form([](FormOptions& o) { o.kind = Kind::Submit; })},
        {"bullet list", "List", list([](ListOptions&) {})},
        {"numbered list from 3", "List", list([](ListOptions& o) {
             o.kind = ListOptions::Kind::Number, o.startShown = true, o.start = "3";
         })},
        {"definition list", "List",
         list([](ListOptions& o) { o.kind = ListOptions::Kind::Definition; })},
        {"lower-roman item, not upper", "List", list([](ListOptions& o) {
             o.mode = ListOptions::Mode::Item, o.styles = {Style::LowerRoman};
         })},
        {"square item", "List", list([](ListOptions& o) {
             o.mode = ListOptions::Mode::Item, o.styles = {Style::Square2};
         })},
        {"definition term", "List",
         list([](ListOptions& o) { o.mode = ListOptions::Mode::Item, o.definitionItem = true; })},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<StartTag> tag = helperTag(row.code, row.helper);
        ASSERT_TRUE(tag) << row.code.toStdString();
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
        QString code;
        const char* updated;
    } rows[] = {
        {"unknown attributes stay in place with their quoting",
         "<table class=wide id='t1' border=1 style=\"x\" onclick=go() data-x=\"1\">", "Table",
         table([](TableOptions& o) { o.border = "3", o.align = H::Left; }),
         "<TABLE class=wide id='t1' align=left border=3 style=\"x\" onclick=go() data-x=\"1\">"},
        {"an attribute the helper no longer writes goes", "<TABLE border=1 cellpadding=4>", "Table",
         table([](TableOptions& o) { o.padding = "2"; }), "<TABLE border=1>"},
        {"a centred table keeps only its TABLE line", "<TABLE border=1>", "Table",
         table([](TableOptions& o) { o.align = H::Center, o.border = "2"; }), "<TABLE border=2>"},
        {"a table centred by its attribute stays centred", "<TABLE ALIGN=Center border=1>", "Table",
         table([](TableOptions& o) { o.align = H::Center, o.border = "2"; }),
         "<TABLE ALIGN=Center border=2>"},
        {"a heading cell stays a heading cell", "<th class=h>", "Table", table([](TableOptions& o) {
             o.mode = TableOptions::Mode::Cell, o.border = "2", o.spacing = "0";
         }),
         "<th class=h colspan=2>"},
        {"names and values the user filled in", "<INPUT type=\"text\" size=20 name=q value='x'>",
         "Form", form([](FormOptions& o) { o.kind = Kind::Text, o.second = "30"; }),
         "<INPUT type=\"text\" size=30 name=q value='x'>"},
        {"an address after the same protocol", "<A href=\"http://a.org/?x=1&amp;y=2\">", "Link",
         link([](LinkOptions& o) { o.protocol = Protocol::Http, o.target = true; }),
         "<A href=\"http://a.org/?x=1&amp;y=2\" target=\"\">"},
        {"another protocol drops the address", "<A href=\"http://a.org/\">", "Link",
         link([](LinkOptions& o) { o.protocol = Protocol::Ftp; }), "<A href=\"ftp://\">"},
        {"mail with its subject", "<A href=\"mailto:ann@a.org?subject=Hi\">", "Link",
         link([](LinkOptions& o) { o.protocol = Protocol::Mailto, o.target = true; }),
         "<A href=\"mailto:ann@a.org?subject=Hi\">"},
        {"a subject asked for on plain mail", "<A href=\"mailto:ann@a.org\">", "Link",
         link([](LinkOptions& o) { o.protocol = Protocol::Mailto, o.target = true; }),
         "<A href=\"mailto:?subject= \">"},
        {"spacing filled in after the helper wrote it", "<IMG src=a.gif hspace=4 vspace='2'>",
         "Image",
         image("D:\\Site\\A.gif", PathStyle::Windows,
               [](ImageOptions& o) { o.hspace = o.vspace = true; }),
         "<IMG src=\"a.gif\" border=0 hspace=4 vspace='2'>"},
        {"a background replaced in its tag", "<td align=left background=\"old.gif\" id=c>", "Image",
         image("D:\\Site\\New.gif", PathStyle::Windows,
               [](ImageOptions& o) { o.background = true; }),
         "<td align=left background=\"new.gif\" id=c>"},
        {"a colour unticked goes", "<BODY bgcolor=\"#FFFFFF\" onload=\"init()\" text=red>",
         "Document", body("", PathMode::Relative, PathStyle::Windows), "<BODY onload=\"init()\">"},
        {"another tag from the helper replaces the tag", "<INPUT type=text id=a>", "Form",
         form([](FormOptions& o) { o.kind = Kind::TextArea; }), "<TEXTAREA columns=20 rows=20>"},
    };
    // The window shows such a table centred.
    EXPECT_EQ(tableOptionsFromTag(tagOf("<TABLE align=center>"))->align, H::Center);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(updatedStartTag(tagOf(row.original), row.code, row.helper), QString(row.updated));
    }
}

} // namespace
} // namespace vellum
