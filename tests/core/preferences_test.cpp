#include "core/app/preferences.h"
#include "core/foundation/settings_file.h"
#include "support/qt_printers.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::TempHome;

TEST(Preferences, LoadingShowsWhatTheReadersWouldUse) {
    struct Row {
        const char* name;
        std::vector<std::array<const char*, 3>> stored;
        PathStyle style;
        Preferences expected;
    };
    Preferences fresh;
    Preferences quick = fresh;
    quick.rows = "4";
    quick.border = "0";
    quick.caption = true;
    quick.recentFiles = "12";
    quick.cells = "";
    Preferences flipped = fresh;
    flipped.tabWidth = "8";
    flipped.removeSpaces = false;
    flipped.htmlExtension = true;
    flipped.rememberMain = true;
    flipped.autoIndent = true;
    flipped.returnIcon = false;
    Preferences windows = fresh;
    windows.browser = "C:\\WEB\\BROWSE.EXE";
    Preferences posix = fresh;
    posix.browser = "/opt/web/Browse";
    const Row rows[] = {
        {"fresh settings", {}, PathStyle::Posix, fresh},
        {"quick values without a row count are not shown",
         {{"Quick", "qborder", "7"}, {"Quick", "qrf", "3"}},
         PathStyle::Posix,
         fresh},
        {"quick values behind a row count of 0 are not shown",
         {{"Quick", "qrow", "0"}, {"Quick", "qborder", "7"}},
         PathStyle::Posix,
         fresh},
        {"quick values shown as stored, the text area still checked",
         {{"Quick", "qrow", "4"},
          {"Quick", "qborder", "0"},
          {"Quick", "qcaption", "sure"},
          {"Quick", "qrf", "12"},
          {"Quick", "qftextarea", "no"}},
         PathStyle::Posix,
         quick},
        {"a caption other than sure is unchecked",
         {{"Quick", "qrow", "4"},
          {"Quick", "qborder", "0"},
          {"Quick", "qcaption", "yes"},
          {"Quick", "qrf", "12"}},
         PathStyle::Posix,
         [&] {
             Preferences p = quick;
             p.caption = false;
             return p;
         }()},
        {"general flags",
         {{"Vellum", "tabwidth", "8"},
          {"Vellum", "spaces", "x"},
          {"Vellum", "defext", "html"},
          {"Windows", "main", "t"},
          {"Vellum", "ai", "t"},
          {"Vellum", "back", "t"}},
         PathStyle::Posix,
         flipped},
        {"a Windows-style path shown upper-case",
         {{"Vellum", "browser", "c:\\web\\browse.exe"}},
         PathStyle::Windows,
         windows},
        {"a POSIX path keeps its case",
         {{"Vellum", "browser", "/opt/web/Browse"}},
         PathStyle::Posix,
         posix},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempHome home;
        SettingsFile settings(home.settingsPath());
        for (const auto& [section, key, value] : row.stored)
            settings.writeText(section, key, value);
        const Preferences p = loadPreferences(settings, row.style);
        const Preferences& e = row.expected;
        EXPECT_EQ(p.tabWidth, e.tabWidth);
        EXPECT_EQ(p.removeSpaces, e.removeSpaces);
        EXPECT_EQ(p.htmlExtension, e.htmlExtension);
        EXPECT_EQ(p.rememberMain, e.rememberMain);
        EXPECT_EQ(p.rememberHelpers, e.rememberHelpers);
        EXPECT_EQ(p.autoIndent, e.autoIndent);
        EXPECT_EQ(p.returnIcon, e.returnIcon);
        EXPECT_EQ(p.browser, e.browser);
        EXPECT_EQ(p.helper, e.helper);
        EXPECT_EQ(p.border, e.border);
        EXPECT_EQ(p.caption, e.caption);
        EXPECT_EQ(p.rows, e.rows);
        EXPECT_EQ(p.recentFiles, e.recentFiles);
        EXPECT_TRUE(p.textArea);
    }
}

TEST(Preferences, SpinStepsStopAtTheirLimits) {
    struct Row {
        const char* shown;
        bool up;
        int lowest, highest;
        const char* expected;
    };
    const Row rows[] = {
        {"15", true, 1, 15, "15"},     {"14", true, 1, 15, "15"},     {"1", false, 1, 15, "1"},
        {"0", false, 0, 1 << 30, "0"}, {"9", false, 0, 1 << 30, "8"}, {"", true, 1, 15, "1"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(spunNumber(row.shown, row.up, row.lowest, row.highest), row.expected)
            << row.shown << (row.up ? " up" : " down");
}

TEST(Preferences, OkStoresWhatTheReadersExpectOrStops) {
    TempHome home;
    home.write("browse", "#!");
    home.write("Helper", "#!");
    SettingsFile settings(home.settingsPath());
    settings.writeText("Vellum", "helpname", "Old title");

    Preferences p = loadPreferences(settings, PathStyle::Posix);
    p.browser = home.file("missing");
    p.tabWidth = "3";
    EXPECT_EQ(storePreferences(settings, p, PathStyle::Posix), PreferencesProblem::Browser);
    EXPECT_EQ(preferencesMessage(PreferencesProblem::Browser),
              "There is a problem with your browser path or filename.");
    EXPECT_EQ(settings.readText("Vellum", "tabwidth"), "") << "nothing is stored";

    p.browser = home.file("browse");
    p.helper = home.file("missing");
    p.removeSpaces = false;
    p.returnIcon = false;
    p.rows = "0";
    p.textArea = true;
    EXPECT_EQ(storePreferences(settings, p, PathStyle::Posix), PreferencesProblem::Helper);
    EXPECT_EQ(preferencesMessage(PreferencesProblem::Helper),
              "There is a problem with your helper path or filename.");
    EXPECT_EQ(settings.readText("Vellum", "browser"), home.file("browse"));
    // Only the browser: a tab width stored now would not reach the open documents, and a Cancel
    // that follows would leave them at the old one for the rest of the run.
    EXPECT_EQ(settings.readText("Vellum", "tabwidth"), "") << "nothing else is stored yet";
    EXPECT_EQ(settings.readText("Vellum", "spaces"), "");
    EXPECT_EQ(settings.readText("Quick", "qrow"), "");
    EXPECT_EQ(settings.readText("Vellum", "helper"), "");

    p.helper = home.file("Helper");
    EXPECT_EQ(storePreferences(settings, p, PathStyle::Posix), PreferencesProblem::None);
    EXPECT_EQ(settings.readText("Vellum", "tabwidth"), "3");
    EXPECT_NE(settings.readText("Vellum", "spaces"), "");
    EXPECT_NE(settings.readText("Vellum", "back"), "");
    EXPECT_EQ(settings.readText("Quick", "qrow"), "1") << "a row count is never stored as 0";
    EXPECT_EQ(settings.readText("Quick", "qftextarea"), "") << "the quick form adds a text area";
    EXPECT_EQ(settings.readText("Vellum", "helper"), home.file("Helper")) << "case kept";
    EXPECT_EQ(settings.readText("Vellum", "helpname"), "");

    settings.writeText("Vellum", "helpname", "Helper window");
    p.helper.clear();
    EXPECT_EQ(storePreferences(settings, p, PathStyle::Posix), PreferencesProblem::None);
    EXPECT_EQ(settings.readText("Vellum", "helper"), "");
    EXPECT_EQ(settings.readText("Vellum", "helpname"), "") << "a cleared helper loses its title";

    const Preferences back = loadPreferences(settings, PathStyle::Posix);
    EXPECT_FALSE(back.removeSpaces);
    EXPECT_FALSE(back.returnIcon);
    EXPECT_EQ(back.tabWidth, "3");
}

} // namespace
} // namespace vellum
