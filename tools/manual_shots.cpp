// Draws the pictures of the manual from the real windows: manual_shots FOLDER writes the main
// window, each helper window, a helper editing a tag, the Page Check window beside the page it
// checked, and the Find, Preferences and template windows as PNG files there.
// Runs on the offscreen platform in a fresh home; nothing is shown.
#include "core/app/command_registry.h"
#include "shot_start.h"
#include "ui/app/document_area.h"
#include "ui/app/helper_registry.h"
#include "ui/editor/document_window.h"
#include "ui/editor/page_check_window.h"
#include "ui/editor/page_checks.h"
#include "ui/helpers/helper_frame.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QTabWidget>

#include <cstdio>

namespace {

const char* const Page =
    "<!DOCTYPE html>\r\n<HTML>\r\n<HEAD>\r\n<TITLE>My page</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "<H1>My page</H1>\r\n<P>Some text to <B>format</B>.</P>\r\n<UL>\r\n\t<LI>first\r\n\t<LI>"
    "second\r\n</UL>\r\n</BODY>\r\n</HTML>\r\n";

// A page with faults of each kind the page check finds, none of its local files there.
const char* const FaultyPage =
    "<!DOCTYPE html>\n<HTML>\n<HEAD>\n<TITLE>My page</TITLE>\n</HEAD>\n<BODY>\n"
    "<H1><IMG src=\"Pics/Logo.gif\" alt=\"\"> My page</H1>\n<P>Some text to <B>format.</P>\n"
    "<P>See <A href=\"prices.htm\">the prices</A> or <A href=\"#contact\">write to me</A>.</P>\n"
    "</BODY>\n</HTML>\n";

// The main window with the Page Check window in its lower right corner, as one picture.
QImage withPageCheck(QWidget& main, QWidget& check) {
    check.move(main.width() - check.width() - 25, main.height() - check.height() - 40);
    QImage scene(main.size(), QImage::Format_RGB32);
    QPainter painter(&scene);
    painter.drawPixmap(0, 0, main.grab());
    painter.drawPixmap(check.pos(), check.grab());
    painter.setPen(Qt::darkGray);
    painter.drawRect(QRect(check.pos(), check.size()).adjusted(0, 0, -1, -1));
    painter.end();
    return scene;
}

QWidget* windowTitled(const QString& title) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == title)
            return window;
    }
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: manual_shots FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;
    bool written = true;
    const auto save = [&](QWidget* window, const char* name) {
        app.processEvents();
        const QString path = out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!window || !window->grab().save(path)) {
            std::fprintf(stderr, "manual_shots: no picture %s\n", qPrintable(path));
            written = false;
        }
    };

    vellum::tools::ShotStart shot;
    if (!shot.run(Page, QSize(900, 560)))
        return 1;
    vellum::Application& program = *shot.app;
    save(shot.window(), "main_window");

    for (const vellum::HelperRow& helper : vellum::helperTable()) {
        QWidget* window = program.helpers().open(QString::fromLatin1(helper.id));
        save(window, helper.manualPicture);
        if (window)
            window->hide();
    }

    vellum::CommandRegistry& commands = program.commands();
    // The List helper editing the page's list tag, as F2 on it opens it.
    if (vellum::DocumentWindow* page = program.documents().activeDocument()) {
        const int tag = static_cast<int>(page->control().text().indexOf(QLatin1String("<UL>")));
        page->control().setSelection(tag + 2, tag + 2);
        commands.run(QStringLiteral("EditTag1"));
        QWidget* list = program.helpers().find(QStringLiteral("List"));
        save(list, "edittag");
        if (list)
            list->hide();
    }
    // The Page Check window beside a page with faults, as F8 on it shows them.
    if (vellum::DocumentWindow* page = program.documents().activeDocument()) {
        page->loadNewText(QString::fromLatin1(FaultyPage));
        commands.run(QStringLiteral("CheckPage1"));
        vellum::PageChecks& checks = program.pageChecks();
        const QDeadlineTimer deadline(20000);
        while (checks.isChecking() && !deadline.hasExpired())
            app.processEvents(QEventLoop::AllEvents, 50);
        vellum::PageCheckWindow* check = checks.window();
        if (check) {
            check->resize(460, 170);
            app.processEvents();
        }
        const QString path = out.filePath(QStringLiteral("checkpage.png"));
        if (!check || checks.isChecking() || !withPageCheck(*shot.window(), *check).save(path)) {
            std::fprintf(stderr, "manual_shots: no picture %s\n", qPrintable(path));
            written = false;
        }
        if (check)
            check->close();
    }
    commands.run(QStringLiteral("Replace1"));
    QWidget* findReplace = windowTitled(QStringLiteral("Find&Replace"));
    save(findReplace, "replace");
    if (findReplace)
        findReplace->close();
    commands.run(QStringLiteral("Again1"));
    save(windowTitled(QStringLiteral("Find Again")), "findagain");
    commands.run(QStringLiteral("goto1"));
    save(windowTitled(QStringLiteral("Go to line")), "gotoline");

    commands.run(QStringLiteral("Preferences1"));
    QWidget* preferences = windowTitled(QStringLiteral("VellumHTML Preferences"));
    save(preferences, "preferences_general");
    if (auto* pages = preferences ? preferences->findChild<QTabWidget*>() : nullptr)
        pages->setCurrentIndex(1);
    save(preferences, "preferences_quick");

    commands.run(QStringLiteral("New1"));
    save(windowTitled(QStringLiteral("Open Template")), "templates");
    return written ? 0 : 1;
}
