#include "core/helpers/file_reference.h"
#include "core/helpers/form_code.h"
#include "core/helpers/link_code.h"
#include "core/helpers/table_code.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using Kind = FormOptions::Kind;
using Protocol = LinkOptions::Protocol;
using PathMode = LinkOptions::PathMode;

TEST(HelperForm, CodeOfEachKind) {
    const struct {
        const char* name;
        std::function<void(FormOptions&)> set;
        QString code;
    } rows[] = {
        {"New Form at indent 0", [](FormOptions&) {},
         "<FORM method=\"Post\" action=\"\">\r\n\r\n</FORM>"},
        {"New Form at indent 1 is not indented", [](FormOptions& o) { o.indent = 1; },
         "<FORM method=\"Post\" action=\"\">\r\n\r\n</FORM>"},
        {"New Form at indent 2 takes one tab, with Get",
         [](FormOptions& o) {
             o.indent = 2;
             o.yes = true;
         },
         "\t<FORM method=\"Get\" action=\"\">\r\n\r\n\t</FORM>"},
        {"Text with max length 30 and size 10",
         [](FormOptions& o) {
             o.kind = Kind::Text;
             o.maxLength = true;
             o.first = "30";
             o.second = "10";
         },
         "<INPUT type=\"text\" maxlength=30 size=10 name=\"\" value=\"\">\r\n"},
        {"Password without max length, two of them at indent 2",
         [](FormOptions& o) {
             o.kind = Kind::Password;
             o.count = 2;
             o.indent = 2;
         },
         "\t\t<INPUT type=\"password\" size=20 name=\"\" value=\"\">\r\n"
         "\t\t<INPUT type=\"password\" size=20 name=\"\" value=\"\">\r\n"},
        {"Hidden", [](FormOptions& o) { o.kind = Kind::Hidden; },
         "<INPUT type=\"hidden\" name=\"\" value=\"\">\r\n"},
        {"Text Area spells columns",
         [](FormOptions& o) {
             o.kind = Kind::TextArea;
             o.first = "35";
             o.second = "7";
         },
         "<TEXTAREA columns=35 rows=7></TEXTAREA>\r\n"},
        {"three radio buttons of one group end in a space",
         [](FormOptions& o) {
             o.kind = Kind::Radio;
             o.group = "colour";
             o.count = 3;
         },
         QString("<INPUT type=\"radio\" name=\"colour\" value=\"\"> \r\n").repeated(3)},
        {"Check", [](FormOptions& o) { o.kind = Kind::Check; },
         "<INPUT type=\"checkbox\" name=\"\" value=\"\"> \r\n"},
        {"two multiple list boxes with five options",
         [](FormOptions& o) {
             o.kind = Kind::ListBox;
             o.count = 2;
             o.yes = true;
             o.options = 5;
             o.second = "3";
         },
         ("<SELECT size=3 multiple name=\"\">\r\n" + QString("  <OPTION> \r\n").repeated(5) +
          "</SELECT>\r\n")
             .repeated(2)},
        {"a drop-down list with no options at indent 1",
         [](FormOptions& o) {
             o.kind = Kind::DropList;
             o.indent = 1;
             o.options = 0;
         },
         "\t<SELECT size=1 name=\"\">\r\n\t</SELECT>\r\n"},
        {"options carry the tabs of their list, then two spaces",
         [](FormOptions& o) {
             o.kind = Kind::DropList;
             o.indent = 2;
             o.options = 1;
         },
         "\t\t<SELECT size=1 name=\"\">\r\n\t\t  <OPTION> \r\n\t\t</SELECT>\r\n"},
        {"Submit once whatever the count",
         [](FormOptions& o) {
             o.kind = Kind::Submit;
             o.count = 4;
         },
         "<INPUT type=\"submit\" value=\"\">\r\n"},
        {"Reset", [](FormOptions& o) { o.kind = Kind::Reset; },
         "<INPUT type=\"reset\" value=\"\">\r\n"},
        {"no kind, no code", [](FormOptions& o) { o.kind = Kind::None; }, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FormOptions options;
        row.set(options);
        bool tooLarge = true;
        EXPECT_EQ(formGenerator(options, &tooLarge), row.code);
        EXPECT_FALSE(tooLarge);
    }
}

TEST(HelperForm, CountsBeyondTheScratchEditorAreRefused) {
    const std::pair<const char*, std::function<void(FormOptions&)>> rows[] = {
        {"a count", [](FormOptions& o) { o.count = 2147483647; }},
        {"options times lists",
         [](FormOptions& o) {
             o.kind = Kind::ListBox;
             o.count = 100000;
             o.options = 100000;
         }},
        {"an indentation", [](FormOptions& o) { o.indent = 2147483647; }},
    };
    for (const auto& [name, set] : rows) {
        SCOPED_TRACE(name);
        FormOptions options;
        options.kind = Kind::Hidden;
        set(options);
        bool tooLarge = false;
        EXPECT_EQ(formGenerator(options, &tooLarge), "");
        EXPECT_TRUE(tooLarge);
    }
    for (const TableOptions::Mode mode : {TableOptions::Mode::Row, TableOptions::Mode::Cell}) {
        TableOptions options;
        options.mode = mode;
        options.count = 2147483647;
        const TableCode code = tableGenerator(options);
        EXPECT_TRUE(code.tooLarge);
        EXPECT_FALSE(code.insert);
    }
}

TEST(HelperLink, TypedAddressesWrapTheSelectionAndPlaceTheCaret) {
    const struct {
        const char* name;
        std::function<void(LinkOptions&)> set;
        const char* open;
        const char* hint;
        int back;
    } rows[] = {
        {"a name anchor", [](LinkOptions& o) { o.name = true; }, "<A name=\"\">", "a NAME", 2},
        {"http without target", [](LinkOptions& o) { o.protocol = Protocol::Http; },
         "<A href=\"http://\">", "an URL", 2},
        {"no protocol with target", [](LinkOptions& o) { o.target = true; },
         "<A href=\"\" target=\"\">", "an URL", 12},
        {"gopher with target",
         [](LinkOptions& o) {
             o.protocol = Protocol::Gopher;
             o.target = true;
         },
         "<A href=\"gopher://\" target=\"\">", "an URL", 12},
        {"mail with a subject",
         [](LinkOptions& o) {
             o.protocol = Protocol::Mailto;
             o.target = true;
         },
         "<A href=\"mailto:?subject= \">", "an ADDRESS", 12},
        {"news never carries a target",
         [](LinkOptions& o) {
             o.protocol = Protocol::News;
             o.target = true;
         },
         "<A href=\"news:\">", "an URL", 2},
        {"nor does telnet, nor does it take a file",
         [](LinkOptions& o) {
             o.protocol = Protocol::Telnet;
             o.target = true;
             o.useFile = true;
         },
         "<A href=\"telnet://\">", "an URL", 2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LinkOptions options;
        row.set(options);
        const LinkCode code = linkGenerator(options);
        EXPECT_FALSE(code.needsFile);
        EXPECT_EQ(code.open, row.open);
        EXPECT_EQ(code.close, "</A>");
        EXPECT_EQ(code.hint, row.hint);
        EXPECT_EQ(code.back, row.back);
    }
}

TEST(HelperFileReference, SampleAndOutputOfEachMode) {
    const struct {
        const char* name;
        PathStyle style;
        PathMode mode;
        const char* document;
        const char* file;
        const char* sample;
        const char* output;
    } rows[] = {
        {"no file, no text", PathStyle::Windows, PathMode::Absolute, "C:\\Web\\index.htm", "", "",
         ""},
        {"relative, below the folder", PathStyle::Windows, PathMode::Relative, "C:\\Web\\index.htm",
         "C:\\Web\\Pics\\Logo.GIF", "pics/logo.gif", "pics/logo.gif"},
        {"in the document's own folder", PathStyle::Windows, PathMode::Relative,
         "C:\\Web\\index.htm", "C:\\WEB\\Logo.GIF", "logo.gif", "logo.gif"},
        {"absolute: shown as a path, written as a file URL", PathStyle::Windows, PathMode::Absolute,
         "C:\\Web\\index.htm", "C:\\Web\\Pics\\Logo.GIF", "c:/web/pics/logo.gif",
         "file:///c|/web/pics/logo.gif"},
        {"a document never saved", PathStyle::Windows, PathMode::Relative, "",
         "C:\\Web\\Pics\\Logo.GIF", "c:/web/pics/logo.gif", "file:///c|/web/pics/logo.gif"},
        {"outside the document's folder", PathStyle::Windows, PathMode::Relative,
         "C:\\Web\\index.htm", "C:\\Art\\Logo.GIF", "c:/art/logo.gif", "file:///c|/art/logo.gif"},
        {"no path", PathStyle::Windows, PathMode::NoPath, "C:\\Web\\index.htm",
         "C:\\Web\\Pics\\Logo.GIF", "logo.gif", "logo.gif"},
        {"POSIX keeps the case", PathStyle::Posix, PathMode::Absolute, "/srv/Web/index.htm",
         "/srv/Web/Pics/Logo.GIF", "/srv/Web/Pics/Logo.GIF", "file:///srv/Web/Pics/Logo.GIF"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const FileReference reference = fileReference(row.file, row.document, row.mode, row.style);
        EXPECT_EQ(reference.sample, row.sample);
        EXPECT_EQ(reference.output, row.output);
    }
}

TEST(HelperFileReference, PathListChoices) {
    EXPECT_EQ(pathModeCaptions(),
              QStringList({QStringLiteral("relative path"), QStringLiteral("absolute path"),
                           QStringLiteral("no path")}));
    const struct {
        const char* name;
        int index;
        PathMode mode;
    } rows[] = {
        {"nothing chosen yet counts as relative", -1, PathMode::Relative},
        {"first item", 0, PathMode::Relative},
        {"second item", 1, PathMode::Absolute},
        {"third item", 2, PathMode::NoPath},
        {"past the list", 3, PathMode::Relative},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(pathModeAt(row.index), row.mode);
    }
}

TEST(HelperLink, FileReferences) {
    const struct {
        const char* name;
        PathStyle style;
        Protocol protocol;
        PathMode path;
        bool target;
        const char* document;
        const char* file;
        const char* open;
    } rows[] = {
        {"below the document's folder, relative", PathStyle::Windows, Protocol::None,
         PathMode::Relative, false, "c:\\web\\index.htm", "C:\\Web\\Pics\\Logo.gif",
         "<A href=\"pics/logo.gif\">"},
        {"the same file, absolute", PathStyle::Windows, Protocol::None, PathMode::Absolute, false,
         "c:\\web\\index.htm", "C:\\Web\\Pics\\Logo.gif",
         "<A href=\"file:///c|/web/pics/logo.gif\">"},
        {"relative after http, with a target", PathStyle::Windows, Protocol::Http,
         PathMode::Relative, true, "c:\\web\\index.htm", "C:\\Web\\Pics\\Logo.gif",
         "<A href=\"http://pics/logo.gif\" target=\"\">"},
        {"on another drive relative falls back to absolute", PathStyle::Windows, Protocol::Http,
         PathMode::Relative, false, "c:\\web\\index.htm", "D:\\Art\\Logo.GIF",
         "<A href=\"file:///d|/art/logo.gif\">"},
        {"a document never saved has no folder", PathStyle::Windows, Protocol::None,
         PathMode::Relative, false, "", "C:\\Web\\Logo.gif",
         "<A href=\"file:///c|/web/logo.gif\">"},
        {"no path after ftp", PathStyle::Windows, Protocol::Ftp, PathMode::NoPath, false,
         "c:\\web\\index.htm", "C:\\Web\\Pics\\Logo.gif", "<A href=\"ftp://logo.gif\">"},
        {"POSIX keeps the case below the folder", PathStyle::Posix, Protocol::None,
         PathMode::Relative, false, "/home/ann/Site/index.htm", "/home/ann/Site/Pics/Logo.GIF",
         "<A href=\"Pics/Logo.GIF\">"},
        {"POSIX absolute is a file URL", PathStyle::Posix, Protocol::Http, PathMode::Absolute,
         false, "/home/ann/Site/index.htm", "/home/ann/Site/Pics/Logo.GIF",
         "<A href=\"file:///home/ann/Site/Pics/Logo.GIF\">"},
        {"POSIX elsewhere, or a folder differing in case, is absolute", PathStyle::Posix,
         Protocol::None, PathMode::Relative, false, "/home/ann/site/index.htm",
         "/home/ann/Site/Logo.gif", "<A href=\"file:///home/ann/Site/Logo.gif\">"},
        {"a quotation mark cannot end the attribute", PathStyle::Posix, Protocol::None,
         PathMode::NoPath, false, "", "/tmp/say \"hi\".htm", "<A href=\"say %22hi%22.htm\">"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        LinkOptions options;
        options.protocol = row.protocol;
        options.path = row.path;
        options.target = row.target;
        options.useFile = true;
        EXPECT_TRUE(linkGenerator(options).needsFile);
        EXPECT_EQ(fileLinkOpen(options, row.file, row.document, row.style), row.open);
    }
}

} // namespace
} // namespace vellum
