// The menus, hidden items and toolbar of the main window, built from the menu table, and the
// commands bound to them. An entry whose command is not available is disabled.
#include "core/app/menu_table.h"
#include "core/editor/tag_commands.h"
#include "ui/app/document_commands.h"
#include "ui/app/edit_commands.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/splash_window.h"
#include "ui/editor/document_window.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QSet>
#include <QToolBar>

namespace vellum {

namespace {

struct ToolButton {
    const char* name;
    const char* hint;
    const char* glyph;
    const char* command; // the menu entry whose command the button runs
};

// Left to right.
const ToolButton ToolButtons[] = {
    {"SpeedButton1", "Open New Document", "New", "new2"},
    {"SpeedButton2", "Openm Existing Document", "Opn", "Open1"},
    {"msave", "Save Current Document", "Sav", "Save1"},
    {"SpeedButton3", "Print Current Document", "Prn", "Print1"},
    {"SpeedButton4", "Undo Last Action", "Und", "Undo1"},
    {"SpeedButton5", "Cut Selection to Clipboard", "Cut", "Cut1"},
    {"SpeedButton6", "Copy Selection to Clipboard", "Cpy", "Copy1"},
    {"SpeedButton7", "Paste from Clipboard", "Pst", "Paste1"},
    {"SpeedButton8", "Load File in Brower", "Web", "Preview1"},
    {"SpeedButton9", "Find/Replace Text", "Fnd", "Replace1"},
    {"SpeedButton10", "Run Helper App", "App", "HelperApp1"},
    {"SpeedButton11", "Open Font Helper", "Fnt", "Helper2"},
    {"SpeedButton12", "Open Table Helper", "Tbl", "Helper5"},
    {"SpeedButton13", "Open List Helper", "Lst", "Helper8"},
    {"SpeedButton14", "Open Link Helper", "Lnk", "Helper9"},
    {"SpeedButton15", "Open Color Helper", "Clr", "Color2"},
    {"SpeedButton16", "Open Image Helper", "Img", "Helper7"},
    {"SpeedButton17", "Open User Tags Helper", "Usr", "UserTags1"},
    {"SpeedButton18", "Open Form Helper", "Frm", "Helper6"},
    {"SpeedButton19", "Tab Windows", "Tab", "Tabbed1"},
    {"SpeedButton21", "Tile Windows", "Til", "Tile1"},
    {"SpeedButton20", "Cascade Windows", "Cas", "Cascade1"},
    {"SpeedButton22", "Close Current Document", "Cls", "Close1"},
};

QIcon glyphIcon(const char* text) {
    QPixmap pixmap(30, 22);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 128));
    p.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromLatin1(text));
    return QIcon(pixmap);
}

} // namespace

void TMDImain::buildMenusAndToolbar() {
    QHash<QString, QMenu*> menus;
    QSet<QString> takenShortcuts;
    for (const MenuEntry& entry : mainMenuTable()) {
        QMenu* parent = entry.parent ? menus.value(QString::fromLatin1(entry.parent)) : nullptr;
        const QString name = QString::fromLatin1(entry.name);
        const QString caption = QString::fromLatin1(entry.caption);
        if (entry.kind == MenuEntry::Kind::Separator) {
            parent->addSeparator();
            continue;
        }
        if (entry.kind == MenuEntry::Kind::Menu) {
            QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            if (entry.hint)
                menu->menuAction()->setStatusTip(QString::fromLatin1(entry.hint));
            menus.insert(name, menu);
            m_actions.insert(name, menu->menuAction());
            continue;
        }
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        // Where two entries share a shortcut the first in menu-bar order keeps it.
        if (entry.shortcut && !takenShortcuts.contains(QString::fromLatin1(entry.shortcut))) {
            const QString keys = QString::fromLatin1(entry.shortcut);
            takenShortcuts.insert(keys);
            QList<QKeySequence> sequences{QKeySequence(keys)};
            // The keypad's Enter works as Return does.
            if (keys.endsWith(QLatin1String("Return")))
                sequences << QKeySequence(
                    QString(keys).replace(QLatin1String("Return"), QLatin1String("Enter")));
            action->setShortcuts(sequences);
        }
        if (entry.hidden)
            addAction(action); // never shown, but its shortcut works
        else if (parent)
            parent->addAction(action);
        else
            menuBar()->addAction(action);
        m_actions.insert(name, action);
    }

    QMenu* windowMenu = menus.value(QStringLiteral("Window1"));
    connect(windowMenu, &QMenu::aboutToShow, this, [this, windowMenu] {
        // The open documents follow the fixed items.
        const QList<QAction*> all = windowMenu->actions();
        for (QAction* action : all) {
            if (action->property("documentEntry").toBool())
                delete action;
        }
        const QList<TMDIsub*> documents = documentWindows();
        if (!documents.isEmpty())
            windowMenu->addSeparator()->setProperty("documentEntry", true);
        int number = 1;
        for (TMDIsub* document : documents) {
            QAction* entry = windowMenu->addAction(
                QStringLiteral("&%1 %2").arg(number++).arg(document->caption()));
            entry->setProperty("documentEntry", true);
            entry->setCheckable(true);
            entry->setChecked(document == activeDocument());
            connect(entry, &QAction::triggered, this,
                    [this, document] { bringForward(*document); });
        }
    });

    QToolBar* toolbar = addToolBar(QStringLiteral("toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setIconSize(QSize(30, 22));
    for (const ToolButton& button : ToolButtons) {
        auto* action = new QAction(glyphIcon(button.glyph), QString::fromLatin1(button.hint), this);
        action->setObjectName(QString::fromLatin1(button.name));
        action->setToolTip(QString::fromLatin1(button.hint));
        action->setProperty("command", QString::fromLatin1(button.command));
        toolbar->addAction(action);
        m_actions.insert(action->objectName(), action);
    }
    m_msave = m_actions.value(QStringLiteral("msave"));
}

void TMDImain::bindCommands() {
    DocumentCommands& c = *m_commands;
    EditCommands& e = *m_edit;
    QHash<QString, std::function<void()>> commands = {
        {"New1", [&c] { c.news(); }},
        {"new2", [&c] { c.news(); }},
        {"newclean1", [&c] { c.newclean1Click(); }},
        {"Open1", [&c] { c.Opens(); }},
        {"Insert1", [&c] { c.InsertFile(); }},
        {"Save1", [&c] { c.SavesActive(); }},
        {"SaveAs1", [&c] { c.SavesAsActive(); }},
        {"Close1", [&c] { c.Closes(); }},
        {"Print1", [&c] { c.Prints(); }},
        {"PrintSetup1", [&c] { c.PrintSetup(); }},
        {"Exit1", [this] { close(); }},
        {"Exits1", [this] { close(); }},
        {"Tabbed1", [this] { Tabbed(); }},
        {"Tile1", [this] { Tiled(); }},
        {"Cascade1", [this] { Cascaded(); }},
        // These keys are taken so that they do nothing.
        {"opentag", [] {}},
        {"closetag", [] {}},
        {"switch1", [] {}},
        {"Contents1", [this] { m_help.showContents(); }},
        {"About1", [] { SplashWindow::showSplash(); }},
        {"ContactUs1", [this] { DocumentCommands::contactUs(m_prompter); }},
        {"Undo1", [&e] { e.undo(); }},
        {"Cut1", [&e] { e.cut(); }},
        {"Copy1", [&e] { e.copy(); }},
        {"Paste1", [&e] { e.paste(); }},
        {"selectall1", [&e] { e.selectAll(); }},
        {"delete1", [&e] { e.deleteSelection(); }},
        {"Change2", [&e] { e.Font1Click(); }},
        {"Change1", [&e] { e.ReadFontActive(); }},
        {"SettoDefault2", [&e] { e.nofont(); }},
        {"SaveCurrentSettings1", [&e] { e.WriteFont(); }},
        {"FontSize1", [&e] { e.fontup(); }},
        {"FontSize2", [&e] { e.fontdown(); }},
        {"Helper5", [this] { HelpTable(); }},
        {"Helper2", [this] { HelpFont(); }},
        {"Color2", [this] { Helpcolor(); }},
    };
    // The tag commands act on the active document.
    for (const TagCommand& command : tagCommands()) {
        for (const QString& item : QString::fromLatin1(command.menuItems).split(QLatin1Char(','))) {
            const TagCommand* run = &command;
            commands.insert(item, [this, run] {
                if (TMDIsub* document = activeDocument())
                    runTagCommand(*run, *document, m_storememo, m_slots, m_enterFlag, m_settings);
            });
        }
    }
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        QAction* action = it.value();
        if (action->menu())
            continue;
        const QString command = action->property("command").toString();
        const auto bound = commands.find(command.isEmpty() ? it.key() : command);
        if (bound == commands.end()) {
            action->setEnabled(false);
            continue;
        }
        connect(action, &QAction::triggered, this, bound.value());
        action->setProperty("bound", true);
    }
    connect(m_actions.value(QStringLiteral("Edit1"))->menu(), &QMenu::aboutToShow, this,
            [this] { m_edit->editMenuAboutToShow(); });
    m_actions.value(QStringLiteral("RecentFiles1"))->setEnabled(false);
    m_msave->setEnabled(false);
}

} // namespace vellum
