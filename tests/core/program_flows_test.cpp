// Browser preview and the helper program as the program flows run them: what is asked, what is
// stored, which program is started with what, and what the screen is asked to show or clear, in
// order. The programs are real files in a temporary home; the desktop is a recording stand-in.
#include "core/app/command_registry.h"
#include "core/app/program_flows.h"
#include "core/foundation/settings_keys.h"
#include "support/buffer_workspace.h"

#include <QFile>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellum {
namespace {

namespace V = keys::Vellum;
using test::Desk;

// Everything the flows ask of the desktop and the screen, one line each, in order.
struct Recording : ProgramLauncher, ProgramScreen {
    QStringList log;
    bool starts = true;
    QString openWindow; // the title of the one window on the desktop

    bool startProgram(const QString& program, const QStringList& arguments,
                      QString& error) override {
        log << QStringLiteral("start ") + QFileInfo(program).fileName() +
                   (arguments.isEmpty() ? QString() : QStringLiteral(" ") + arguments.join(' '));
        if (!starts)
            error = QStringLiteral("cannot start");
        return starts;
    }
    bool openWithDefaultApplication(const QString& path, QString& error) override {
        log << QStringLiteral("open ") + QFileInfo(path).fileName();
        if (!starts)
            error = QStringLiteral("cannot open");
        return starts;
    }
    Window findWindow(const QString& title) override { return title == openWindow ? 7 : 0; }
    void activateWindow(Window window) override {
        log << QStringLiteral("activate %1").arg(window);
    }
    void showReturnIcon() override { log << QStringLiteral("show icon"); }
    void closeReturnIcon() override { log << QStringLiteral("close icon"); }
    void dropReturnIcon() override { log << QStringLiteral("drop icon"); }
    void clearHelpers() override { log << QStringLiteral("clear helpers"); }
    void askHelperTitle() override { log << QStringLiteral("ask title"); }
};

struct ProgramDesk : Desk {
    Recording desktop;
    CommandRegistry commands{workspace, prompter};
    ProgramFlows programs{workspace, settings, directory, prompter,
                          commands,  desktop,  desktop,   PathStyle::Posix};

    // A file under the home named `name`; a program when `executable`.
    QString file(const QString& name, bool executable) {
        const QString path = home.write("bin/" + name, "#!/bin/sh\n");
        if (executable)
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QString setting(const char* key) { return settings.readText(V::Section, key); }
};

TEST(HelperProgramFlow, StartsOrSwitchesAndClearsTheScreenOnlyAtTheFirstRun) {
    const struct {
        const char* intent;
        const char* helper; // stored before the run: "tool" a program, "notes.txt" a plain file
        const char* chosen; // answered in the locating dialog
        const char* title;  // the stored window title
        bool iconOff, starts, windowOpen;
        QStringList log;
        QStringList errors;
    } rows[] = {
        // clang-format off
        {"none stored and none chosen: nothing happens",
         "", "", "", false, true, false, {}, {}},
        {"first run: the screen is cleared, then the helper starts and its title is asked",
         "tool", "", "", false, true, false,
         {"clear helpers", "drop icon", "start tool", "show icon", "ask title"}, {}},
        {"first run of a helper just chosen",
         "", "tool", "", false, true, false,
         {"clear helpers", "drop icon", "start tool", "show icon", "ask title"}, {}},
        {"first run with the Return Icon turned off",
         "tool", "", "", true, true, false,
         {"clear helpers", "drop icon", "start tool", "ask title"}, {}},
        {"a first run that fails asks nothing and offers no way back",
         "tool", "", "", false, false, false,
         {"clear helpers", "drop icon", "start tool"}, {"cannot start"}},
        {"titled and its window open: switch to it",
         "tool", "", "Tool", false, true, true, {"show icon", "activate 7"}, {}},
        {"titled but no such window: start it again, clearing nothing",
         "tool", "", "Tool", false, true, false, {"show icon", "start tool"}, {}},
        {"a file that is no program opens with its application",
         "notes.txt", "", "Notes", false, true, false, {"show icon", "open notes.txt"}, {}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        ProgramDesk d;
        d.desktop.starts = row.starts;
        d.desktop.openWindow = row.windowOpen ? row.title : "";
        const auto program = [&](const char* name) {
            return *name ? d.file(name, QString(name) == "tool") : QString();
        };
        d.settings.writeTexts({{V::Section, V::Helper, program(row.helper)},
                               {V::Section, V::HelpName, row.title},
                               {V::Section, V::Back, row.iconOff ? "no" : ""}});
        const QString chosen = program(row.chosen);
        d.prompter.openNames = {chosen};

        d.programs.runHelperProgram();
        EXPECT_EQ(d.desktop.log, row.log);
        EXPECT_EQ(d.prompter.errors, row.errors);
        if (*row.chosen) {
            EXPECT_EQ(d.setting(V::Helper), chosen);
            EXPECT_EQ(d.setting(V::HelpName), "");
        }
    }
}

TEST(BrowserPreviewFlow, WritesThePreviewAndHandsItsAddressToTheBrowser) {
    const struct {
        const char* intent;
        const char* stored; // the stored browser: "web" a program, "page.txt" not one
        const char* chosen;
        bool iconOff, starts;
        bool written;
        QStringList log;
        QStringList errors;
    } rows[] = {
        // clang-format off
        {"a stored browser gets the address",
         "web", "", false, true, true, {"show icon", "start web ADDRESS"}, {}},
        {"a browser just chosen is stored and used",
         "", "web", false, true, true, {"show icon", "start web ADDRESS"}, {}},
        {"a chosen file that cannot run is refused and nothing is written",
         "", "page.txt", false, true, false, {},
         {"BIN/page.txt is not an executable program. Please choose your browser program."}},
        {"a browser that fails, with the Return Icon off, leaves the file to go at exit",
         "web", "", true, false, true, {"start web ADDRESS"}, {"cannot start"}},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        ProgramDesk d;
        d.desktop.starts = row.starts;
        const auto program = [&](const char* name) {
            return *name ? d.file(name, QString(name) == "web") : QString();
        };
        d.settings.writeTexts({{V::Section, V::Browser, program(row.stored)},
                               {V::Section, V::Back, row.iconOff ? "no" : ""}});
        const QString chosen = program(row.chosen);
        d.prompter.openNames = {chosen};
        Document& document = *d.flows.newPlainDocument();
        document.text().replaceSelection("<p>");

        d.programs.previewInBrowser(document);
        const QString preview = d.home.file("data/_&temp.htm");
        QStringList log = row.log;
        log.replaceInStrings("ADDRESS", QUrl::fromLocalFile(preview).toString(QUrl::FullyEncoded));
        EXPECT_EQ(d.desktop.log, log);
        QStringList errors = row.errors;
        errors.replaceInStrings("BIN", d.home.file("bin"));
        EXPECT_EQ(d.prompter.errors, errors);
        EXPECT_EQ(d.home.read("data/_&temp.htm"), row.written ? "<p>" : "");
        EXPECT_EQ(d.settings.readText(keys::CleanUp::Section, "1"), row.written ? preview : "");
        if (*row.chosen && row.written) {
            EXPECT_EQ(d.setting(V::Browser), chosen);
        }
    }
}

} // namespace
} // namespace vellum
