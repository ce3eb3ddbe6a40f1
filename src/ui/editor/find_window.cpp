#include "ui/editor/find_window.h"

#include "core/helpers/helper_placement.h"
#include "ui/editor/find_commands.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace vellum {

FindReplaceWindow::FindReplaceWindow(FindCommands& commands)
    : SearchWindow(commands, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                 Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FRbig"));
    // The ampersand is part of the caption, not an access key.
    setWindowTitle(QStringLiteral("Find&Replace"));
    paintTeal(this);

    m_boxes.find = textBox("fedit", QString(), this);
    m_boxes.replace = textBox("Redit", QString(), this);
    m_boxes.find->setMinimumWidth(260);
    QLabel* findLabel1 = findLabel("label1", QStringLiteral("Fi&nd What:"), this);
    QLabel* replaceLabel = findLabel("Label2", QStringLiteral("&Replace With:"), this);
    findLabel1->setBuddy(m_boxes.find);
    replaceLabel->setBuddy(m_boxes.replace);
    m_boxes.wholeWord = optionBox("wholewordcheck", QStringLiteral(" whole word only"), this);
    m_boxes.matchCase = optionBox("Matchcasecheck", QStringLiteral(" match case"), this);
    m_boxes.fromTop = optionBox("Fromtopcheck", QStringLiteral(" check from top"), this);
    m_boxes.upward = optionBox("upcheck", QStringLiteral(" check upwards"), this);
    m_findReplace = commandButton("Button1", QStringLiteral("&Find && Replace"), this);
    m_findReplace->setDefault(true);
    m_remaining = commandButton("Button2", QStringLiteral("Replace Re&mainig"), this);
    m_cancel = commandButton("Button3", QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(findLabel1, 0, 0);
    grid->addWidget(m_boxes.find, 0, 1, 1, 2);
    grid->addWidget(replaceLabel, 1, 0);
    grid->addWidget(m_boxes.replace, 1, 1, 1, 2);
    grid->addWidget(m_boxes.wholeWord, 2, 1);
    grid->addWidget(m_boxes.fromTop, 2, 2);
    grid->addWidget(m_boxes.matchCase, 3, 1);
    grid->addWidget(m_boxes.upward, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_findReplace);
    buttons->addWidget(m_remaining);
    buttons->addWidget(m_cancel);
    grid->addLayout(buttons, 4, 0, 1, 3);
    finishBoxes(true);

    connect(m_findReplace, &QPushButton::clicked, this, &FindReplaceWindow::findAndReplace);
    connect(m_remaining, &QPushButton::clicked, this, &FindReplaceWindow::replaceRemaining);
    connect(m_cancel, &QPushButton::clicked, this, &FindReplaceWindow::close);

    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(centredPosition(screen->geometry().size(), size()));
    m_boxes.find->selectAll();
    m_boxes.find->setFocus();
}

void FindReplaceWindow::findAndReplace() {
    if (!m_commands.hasDocument())
        return;
    if (m_boxes.find->text().isEmpty()) {
        replaceRemaining();
        return;
    }
    readWindow();
    if (!m_commands.find())
        return;
    // The Find Again window takes over; the hit shows in the editor.
    close();
    m_commands.doItAgain();
    m_commands.focusMain();
}

void FindReplaceWindow::closeSteps() {
    m_commands.guard([this] {
        writeSearchOptions(m_commands.settings(), m_boxes.options(), /*withFromTop=*/true);
    });
}

} // namespace vellum
