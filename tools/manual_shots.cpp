// Draws the pictures of the manual from the real windows at work on a small sample site:
// manual_shots FOLDER [SCENE.png] writes the main window, each helper window (the Image helper
// browsing the site's pictures with the preview shown, the Document helper with colours and a
// background picture, the Table helper beside the table it wrote), a helper editing a tag, the
// Page Check window beside the page it checked, Find with a hit selected, and the Preferences and
// template windows as PNG files there; SCENE.png (for the README) is the Table helper's scene.
// Runs on the offscreen platform in a fresh home; nothing is shown, and the home's temporary
// folder is shown as a user's own.
#include "core/app/command_registry.h"
#include "sample_site.h"
#include "shot_start.h"
#include "ui/app/document_area.h"
#include "ui/app/helper_registry.h"
#include "ui/editor/document_window.h"
#include "ui/editor/find_window.h"
#include "ui/editor/page_check_window.h"
#include "ui/editor/page_checks.h"
#include "ui/helpers/document_helper.h"
#include "ui/helpers/helper_frame.h"
#include "ui/helpers/image_helper.h"
#include "ui/helpers/table_helper.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
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
    "<H1><IMG src=\"Pics/Logo.png\" alt=\"\"> My page</H1>\n<P>Some text to <B>format.</P>\n"
    "<P>See <A href=\"prices.htm\">the prices</A> or <A href=\"#contact\">write to me</A>.</P>\n"
    "</BODY>\n</HTML>\n";

// The main window with other windows over it where they stand, as one picture.
QImage scene(QWidget& main, const QList<QWidget*>& over) {
    QImage picture(main.size(), QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, main.grab());
    for (QWidget* window : over) {
        const QPoint at = window->pos() - main.pos();
        painter.drawPixmap(at, window->grab());
        painter.setPen(Qt::darkGray);
        painter.drawRect(QRect(at, window->size()).adjusted(0, 0, -1, -1));
    }
    painter.end();
    return picture;
}

// Shows the folder `real` as `shown` wherever a window names it, so that no temporary folder's
// name appears in a picture.
void showFolderAs(QWidget& window, const QString& real, const QString& shown) {
    for (QLabel* label : window.findChildren<QLabel*>())
        label->setText(label->text().replace(real, shown));
    for (QComboBox* list : window.findChildren<QComboBox*>()) {
        for (int i = 0; i < list->count(); ++i)
            list->setItemText(i, list->itemText(i).replace(real, shown));
    }
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
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: manual_shots FOLDER [SCENE.png]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral(".")))
        return 1;

    vellum::tools::ShotStart shot;
    const QString site = shot.home.file(QStringLiteral("Site"));
    if (!vellum::tools::writeSampleSite(site) ||
        !shot.open(site + QStringLiteral("/index.htm"), QSize(900, 560)))
        return 1;
    vellum::Application& program = *shot.app;
    const QString home = shot.home.path();
    const QString shownHome = QStringLiteral("/home/ann");

    bool written = true;
    const auto saveImage = [&](const QImage& picture, const QString& path) {
        if (picture.isNull() || !picture.save(path)) {
            std::fprintf(stderr, "manual_shots: no picture %s\n", qPrintable(path));
            written = false;
        }
    };
    const auto pathOf = [&](const char* name) {
        return out.filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    };
    const auto save = [&](QWidget* window, const char* name) {
        app.processEvents();
        if (window)
            showFolderAs(*window, home, shownHome);
        saveImage(window ? window->grab().toImage() : QImage(), pathOf(name));
    };
    const auto saveScene = [&](const QList<QWidget*>& over, const char* name) {
        // The status line follows the caret after the events at hand.
        const QDeadlineTimer settle(300);
        while (!settle.hasExpired())
            app.processEvents(QEventLoop::AllEvents, 20);
        for (QWidget* window : over)
            showFolderAs(*window, home, shownHome);
        saveImage(scene(*shot.window(), over), pathOf(name));
    };
    save(shot.window(), "main_window");

    const QString frontPage = site + QStringLiteral("/index.htm");
    for (const vellum::HelperRow& helper : vellum::helperTable()) {
        QWidget* window = program.helpers().open(QString::fromLatin1(helper.id));
        if (auto* image = qobject_cast<vellum::ImageHelper*>(window)) {
            // Browsing the site's pictures, the chosen one previewed.
            image->previewCheck()->setChecked(true);
            vellum::ImageOptions options;
            options.file = site + QStringLiteral("/Pics/roses.jpg");
            options.documentPath = frontPage;
            options.alt = options.heightWidth = true;
            options.align = QStringLiteral("left");
            image->showOptions(options);
        } else if (auto* document = qobject_cast<vellum::DocumentHelper*>(window)) {
            // Colours of the page and a tiled background picture.
            vellum::BodyOptions options;
            options.backgroundImage = true;
            options.file = site + QStringLiteral("/Pics/tile.gif");
            options.documentPath = frontPage;
            options[vellum::PageColour::Back] = {true, 0xF0FFFF};
            options[vellum::PageColour::Text] = {true, 0x203020};
            options[vellum::PageColour::Link] = {true, 0x206020};
            options[vellum::PageColour::VLink] = {true, 0x602060};
            document->showOptions(options);
        }
        if (qobject_cast<vellum::TableHelper*>(window) == nullptr)
            save(window, helper.manualPicture);
        if (window)
            window->hide();
    }

    // The Table helper beside the table it has just written before the end of the body.
    if (vellum::DocumentWindow* front = program.documents().activeDocument()) {
        const int end = static_cast<int>(front->control().text().indexOf(QLatin1String("</BODY>")));
        front->control().setSelection(end, end);
        auto* table =
            qobject_cast<vellum::TableHelper*>(program.helpers().open(QStringLiteral("Table")));
        if (table) {
            vellum::TableOptions options;
            options.padding = QStringLiteral("4");
            options.width = QStringLiteral("80");
            options.widthPercent = true;
            options.align = vellum::TableOptions::HAlign::Center;
            table->showOptions(options);
            table->InsertCodeClick();
            table->move(shot.window()->width() - table->width() - 25, 90);
            saveScene({table}, "table");
            if (argc == 3)
                saveImage(scene(*shot.window(), {table}), QString::fromLocal8Bit(argv[2]));
            table->hide();
        } else {
            written = false;
        }
    }

    vellum::CommandRegistry& commands = program.commands();
    // Find with its hit selected: the Find & Replace window with the word typed, then the Find
    // Again bar that takes its place once the word is found.
    if (vellum::DocumentWindow* front = program.documents().activeDocument())
        front->control().setSelection(0, 0);
    commands.run(QStringLiteral("Replace1"));
    auto* findReplace =
        qobject_cast<vellum::FindReplaceWindow*>(windowTitled(QStringLiteral("Find&Replace")));
    if (findReplace)
        findReplace->boxes().find->setText(QStringLiteral("roses"));
    save(findReplace, "replace");
    if (findReplace)
        findReplace->findAndReplace();
    QWidget* again = windowTitled(QStringLiteral("Find Again"));
    if (again)
        saveScene({again}, "findagain");
    else
        save(nullptr, "findagain");
    // The List helper editing the page's list tag, as F2 on it opens it.
    if (vellum::DocumentWindow* page = program.documents().activeDocument()) {
        page->loadNewText(QString::fromLatin1(Page));
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
            check->resize(600, 170);
            app.processEvents();
        }
        const QString path = out.filePath(QStringLiteral("checkpage.png"));
        if (check)
            check->move(shot.window()->width() - check->width() - 25,
                        shot.window()->height() - check->height() - 40);
        if (!check || checks.isChecking() || !scene(*shot.window(), {check}).save(path)) {
            std::fprintf(stderr, "manual_shots: no picture %s\n", qPrintable(path));
            written = false;
        }
        if (check)
            check->close();
    }
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
