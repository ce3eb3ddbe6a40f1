#include "ui/editor/find_again_bar.h"

#include "ui/editor/find_commands.h"
#include "ui/foundation/outline_drag.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace vellum {

namespace {

constexpr int PanelMargin = 3;

/// A small four-headed arrow: the place to grip the bar by.
QPixmap moveGlyph() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 1.5));
    p.drawLine(QPointF(8, 1), QPointF(8, 15));
    p.drawLine(QPointF(1, 8), QPointF(15, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{{8, 0}, {5, 4}, {11, 4}});
    p.drawPolygon(QPolygonF{{8, 16}, {5, 12}, {11, 12}});
    p.drawPolygon(QPolygonF{{0, 8}, {4, 5}, {4, 11}});
    p.drawPolygon(QPolygonF{{16, 8}, {12, 5}, {12, 11}});
    return pixmap;
}

QToolButton* arrowButton(const char* name, Qt::ArrowType arrow, const char* hint, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setToolTip(QString::fromLatin1(hint));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLineEdit* barBox(const char* name, QWidget* parent) {
    QLineEdit* box = textBox(name, QString(), parent);
    box->setFrame(false);
    box->setMinimumWidth(200);
    QFont bold = box->font();
    bold.setBold(true);
    box->setFont(bold);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, findTeal());
    p.setColor(QPalette::Text, Qt::white);
    box->setPalette(p);
    return box;
}

} // namespace

FindAgainBar::FindAgainBar(FindCommands& commands)
    : SearchWindow(commands, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FRmini"));
    setWindowTitle(QStringLiteral("Find Again"));
    m_panel = fillingFrame(*this, "Panel1");
    m_panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_panel->setLineWidth(1);
    paintTeal(m_panel);

    auto* upper = new QWidget(m_panel);
    m_grip = findLabel("Label3", QString(), upper);
    m_grip->setPixmap(moveGlyph());
    m_grip->setToolTip(QStringLiteral("Click and drag to move the Find Again window"));
    m_boxes.find = barBox("FEdit", upper);
    m_boxes.replace = barBox("Redit", upper);
    m_downs = arrowButton("downs", Qt::DownArrow, "Click to show Options", upper);
    m_ups = arrowButton("ups", Qt::UpArrow, "Click to hide Options", upper);
    m_findNext = commandButton("Fbut", QStringLiteral("&Find Next"), upper);
    m_replaceNext = commandButton("Rbut", QStringLiteral("&Replace && Find Next"), upper);
    m_remaining = commandButton("Allbut", QStringLiteral("Replace Re&maining"), upper);
    m_cancel = commandButton("Button1", QStringLiteral("Cancel"), upper);
    auto* grid = new QGridLayout(upper);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_grip, 0, 0, Qt::AlignCenter);
    grid->addWidget(findLabel("Label1", QStringLiteral("Finding:"), upper), 0, 1);
    grid->addWidget(m_boxes.find, 0, 2);
    grid->addWidget(m_findNext, 0, 3);
    grid->addWidget(m_replaceNext, 0, 4);
    // The two arrow buttons share one place; "ups" covers "downs" while the options show.
    grid->addWidget(m_downs, 1, 0, Qt::AlignCenter);
    grid->addWidget(m_ups, 1, 0, Qt::AlignCenter);
    grid->addWidget(findLabel("Label2", QStringLiteral("Replace with:"), upper), 1, 1);
    grid->addWidget(m_boxes.replace, 1, 2);
    grid->addWidget(m_remaining, 1, 3);
    grid->addWidget(m_cancel, 1, 4);
    m_ups->hide();

    m_options = new QWidget(m_panel);
    m_options->setObjectName(QStringLiteral("Panel2"));
    m_boxes.wholeWord = optionBox("wholewordcheck", QStringLiteral(" whole word only"), m_options);
    m_boxes.matchCase = optionBox("Matchcasecheck", QStringLiteral(" match case"), m_options);
    m_boxes.fromTop = optionBox("fromtopcheck", QStringLiteral(" check from top"), m_options);
    m_boxes.upward = optionBox("upcheck", QStringLiteral(" check upwards"), m_options);
    auto* options = new QGridLayout(m_options);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(m_boxes.wholeWord, 0, 0);
    options->addWidget(m_boxes.matchCase, 0, 1);
    options->addWidget(m_boxes.fromTop, 1, 0);
    options->addWidget(m_boxes.upward, 1, 1);
    finishBoxes(false);

    auto* column = new QVBoxLayout(m_panel);
    column->setContentsMargins(PanelMargin, PanelMargin, PanelMargin, PanelMargin);
    column->setSpacing(0);
    column->addWidget(upper);
    column->addWidget(m_options);
    // The options take as much height as the upper part and its margins, so that the upper part
    // alone fills the collapsed window, which is half as high as the whole.
    const int upperHeight = upper->sizeHint().height();
    upper->setFixedHeight(upperHeight);
    m_options->setFixedHeight(upperHeight + 2 * (PanelMargin + m_panel->frameWidth()));

    makeDefault(m_findNext);
    connect(m_findNext, &QPushButton::clicked, this, &FindAgainBar::findNext);
    connect(m_replaceNext, &QPushButton::clicked, this, &FindAgainBar::replaceAndFindNext);
    connect(m_remaining, &QPushButton::clicked, this, &FindAgainBar::replaceRemaining);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        m_commands.search().replaceMode = false;
        close();
    });
    connect(m_downs, &QToolButton::clicked, this, &FindAgainBar::expandOptions);
    connect(m_ups, &QToolButton::clicked, this, &FindAgainBar::collapseOptions);
    new OutlineDrag(*this, {m_panel, m_grip});

    adjustSize();
    m_fullHeight = height();
    setFixedWidth(width());
    showOptions(false);
    move(findAgainPosition(commands.settings(), commands.mainGeometry().top()));
}

void FindAgainBar::makeDefault(QPushButton* button) {
    m_findNext->setDefault(button == m_findNext);
    m_replaceNext->setDefault(button == m_replaceNext);
}

void FindAgainBar::findNext() {
    if (!m_commands.hasDocument())
        return;
    makeDefault(m_findNext);
    readWindow();
    // Check-from-top holds for this step only.
    m_boxes.fromTop->setChecked(false);
    m_commands.search().replaceMode = false;
    m_commands.find();
    m_commands.focusMain();
}

void FindAgainBar::replaceAndFindNext() {
    if (!m_commands.hasDocument())
        return;
    makeDefault(m_replaceNext);
    m_commands.search().replaceMode = true;
    readWindow();
    m_commands.find();
    m_commands.focusMain();
}

void FindAgainBar::expandOptions() {
    showOptions(true);
    m_commands.focusMain();
}

void FindAgainBar::collapseOptions() {
    showOptions(false);
    m_commands.focusMain();
}

void FindAgainBar::showOptions(bool shown) {
    // Hidden, the options are cut off below the upper part instead of squeezed into it.
    m_options->setVisible(shown);
    setFixedHeight(shown ? m_fullHeight : m_fullHeight / 2);
    m_ups->setVisible(shown);
    m_ups->raise();
}

void FindAgainBar::closeSteps() {
    SearchState& state = m_commands.search();
    state.replaceMode = false;
    m_commands.guard([this] {
        writeSearchOptions(m_commands.settings(), m_boxes.options(), /*withFromTop=*/false);
        writeFindAgainPosition(m_commands.settings(), pos());
    });
}

} // namespace vellum
