#include "core/app/tab_ledger.h"
#include "core/foundation/settings_file.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

// Three open documents at tabs 0, 1, 2 in a fresh settings file.
struct Fixture {
    explicit Fixture(const QStringList& keys) {
        for (int i = 0; i < keys.size(); ++i)
            ledger.add(i, keys[i]);
    }
    // What the file holds, read through a separate reader.
    QString roster(int index) const {
        return SettingsFile(home.settingsPath()).readText("Roster", QString::number(index), "-");
    }
    int ledgerOf(const QString& key) const {
        return SettingsFile(home.settingsPath()).readInt("Ledger", ledger.ledgerKey(key), -99);
    }
    test::TempHome home;
    SettingsFile settings{home.settingsPath()};
    TabLedger ledger{settings};
};

const QStringList Plain = {"/web/a.htm", "/web/b.htm", "/web/c.htm"};

TEST(TabLedger, ClosingMovesLaterTabsDown) {
    struct Row {
        const char* intent;
        int closed;
        QStringList roster; // tabs 0, 1, 2 after the close
        QList<int> ledger;  // a, b, c after the close
    };
    const Row rows[] = {
        {"middle tab", 1, {"/web/a.htm", "/web/c.htm", ""}, {0, -1, 1}},
        {"last tab", 2, {"/web/a.htm", "/web/b.htm", ""}, {0, 1, -1}},
        {"first tab", 0, {"/web/b.htm", "/web/c.htm", ""}, {-1, 0, 1}},
    };
    for (const Row& row : rows) {
        Fixture f(Plain);
        f.ledger.close(row.closed, Plain[row.closed], 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(f.roster(i), row.roster[i]) << row.intent << ", tab " << i;
            EXPECT_EQ(f.ledgerOf(Plain[i]), row.ledger[i]) << row.intent << ", " << i;
        }
    }
}

// Rename and close with path keys holding "=", blanks and an escape-like text.
TEST(TabLedger, PathKeysWithAwkwardCharactersSurvive) {
    const QStringList odd = {"/home/me/a=b.htm", "/home/me/my site/page one.htm",
                             "/home/me/100%3D.htm"};
    Fixture f(odd);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f.ledger.keyAt(i), odd[i]);
        EXPECT_EQ(f.ledger.indexOf(odd[i]), i) << odd[i].toStdString();
    }
    f.ledger.close(0, odd[0], 3);
    EXPECT_EQ(f.ledgerOf(odd[0]), -1);
    EXPECT_EQ(f.ledgerOf(odd[1]), 0);
    EXPECT_EQ(f.ledgerOf(odd[2]), 1);
    f.ledger.rename(0, odd[1], "/home/me/x=y z.htm");
    EXPECT_EQ(f.roster(0), "/home/me/x=y z.htm");
    EXPECT_EQ(f.ledgerOf("/home/me/x=y z.htm"), 0);
    EXPECT_EQ(f.ledgerOf(odd[1]), -1);
}

// On POSIX two paths differing only in case, or in a trailing blank, are two documents.
TEST(TabLedger, PosixKeysDifferingInCaseOrBlanksStayApart) {
    const QStringList keys = {"/web/Page.htm", "/web/page.htm", "/web/page.htm ", "/web/^a.htm",
                              "/web/^A.htm"};
    Fixture f(keys);
    for (int i = 0; i < keys.size(); ++i)
        EXPECT_EQ(f.ledger.indexOf(keys[i]), i) << keys[i].toStdString();
    f.ledger.close(0, keys[0], 5);
    EXPECT_EQ(f.ledger.indexOf(keys[0]), -1);
    for (int i = 1; i < keys.size(); ++i)
        EXPECT_EQ(f.ledger.indexOf(keys[i]), i - 1) << keys[i].toStdString();

    // Windows keys are upper-cased paths already: they are recorded as they are.
    TabLedger windows(f.settings, PathStyle::Windows);
    EXPECT_EQ(windows.ledgerKey("C:\\WEB\\A.HTM"), "C:\\WEB\\A.HTM");
}

} // namespace
} // namespace vellum
