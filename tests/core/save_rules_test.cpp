#include "core/app/save_rules.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace vellum {
namespace {

constexpr PathStyle Win = PathStyle::Windows;
constexpr PathStyle Posix = PathStyle::Posix;

TEST(SaveRules, SaveAsExtension) {
    struct Row {
        const char* intent;
        QString name, defext;
        PathStyle style;
        QString expected;
    };
    const Row rows[] = {
        {"bare dot is dropped", "page.", "html", Posix, "page"},
        {"no extension, default html", "page", "html", Posix, "page.html"},
        {"no extension, any other default", "page", "shtml", Posix, "page.htm"},
        {"other extension stays", "page.txt", "html", Posix, "page.txt"},
        {"dot in a folder name is not an extension", "/a.b/page", "", Posix, "/a.b/page.htm"},
        {"dot in a Windows folder name", "C:\\A.B\\page", "", Win, "C:\\A.B\\page.htm"},
        {"backslash is a name character on POSIX", "/x/a.b\\page", "", Posix, "/x/a.b\\page"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(withSaveExtension(row.name, row.defext, row.style), row.expected) << row.intent;
}

TEST(SaveRules, FileNamePart) {
    struct Row {
        const char* intent;
        QString path;
        PathStyle style;
        QString expected;
    };
    const Row rows[] = {
        {"Windows folder", "C:\\WEB\\INDEX.HTM", Win, "INDEX.HTM"},
        {"Windows drive only", "C:index.htm", Win, "index.htm"},
        {"POSIX folder", "/home/web/index.htm", Posix, "index.htm"},
        {"backslash stays in a POSIX name", "/home/a\\b.htm", Posix, "a\\b.htm"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(fileNamePart(row.path, row.style), row.expected) << row.intent;
}

TEST(SaveRules, KeyNamesPath) {
    test::TempHome home;
    const QString page = home.write("site/Page.htm", "a");
    const QString lower = home.write("site/page.htm", "b");
    QFile::link(page, home.file("link.htm"));
    const QString key = QDir::cleanPath(page);
    struct Row {
        const char* intent;
        QString key, path;
        PathStyle style;
        bool expected;
    };
    const Row rows[] = {
        {"Windows key matches any case", "C:\\WEB\\INDEX.HTM", "c:\\Web\\index.htm", Win, true},
        {"Windows key, other file", "C:\\WEB\\INDEX.HTM", "c:\\web\\index2.htm", Win, false},
        {"same path", key, page, Posix, true},
        {"through a symbolic link", key, home.file("link.htm"), Posix, true},
        {"with ./ in it", key, home.path() + "/site/./Page.htm", Posix, true},
        {"name in another case is another file", key, lower, Posix, false},
        {"missing file in another case", key, home.file("site/PAGE.htm"), Posix, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(keyNamesPath(row.key, row.path, row.style), row.expected) << row.intent;
}

TEST(SaveRules, MessageTexts) {
    EXPECT_EQ(replacePrompt("C:\\WEB\\index.htm", Win), "Replace existing index.htm ?");
    EXPECT_EQ(replacePrompt("/home/web/index.htm", Posix), "Replace existing index.htm ?");
    EXPECT_EQ(currentlyOpenMessage("/web/a.htm"),
              "/web/a.htm is currently open.\n\rClose the open file and try again.");
    EXPECT_EQ(alreadyOpenMessage("/web/a.htm"), "/web/a.htm is already open.");
}

} // namespace
} // namespace vellum
