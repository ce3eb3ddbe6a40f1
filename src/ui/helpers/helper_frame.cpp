#include "ui/helpers/helper_frame.h"

#include "core/editor/insertion.h"
#include "core/helpers/helper_tags.h"
#include "ui/foundation/outline_drag.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/number_box.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

const QColor Navy(0, 0, 128);
constexpr int StripHeight = 20;

/// The roll button: its text is "5" while the window is unrolled and "6" while rolled up, and it
/// shows an upward or a downward triangle accordingly.
class RollGlyphButton : public QToolButton {
public:
    using QToolButton::QToolButton;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const QRectF r = QRectF(rect()).adjusted(5, 6, -5, -6);
        QPolygonF triangle;
        if (text() == QLatin1String("6"))
            triangle << r.topLeft() << r.topRight() << QPointF(r.center().x(), r.bottom());
        else
            triangle << r.bottomLeft() << r.bottomRight() << QPointF(r.center().x(), r.top());
        p.drawPolygon(triangle);
    }
};

QToolButton* stripButton(QToolButton* button, const char* name, const QString& text,
                         QWidget* parent) {
    button->setParent(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setAutoRaise(true);
    button->setFixedSize(StripHeight - 2, StripHeight - 2);
    button->setFocusPolicy(Qt::NoFocus);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, Qt::white);
    button->setPalette(p);
    return button;
}

} // namespace

HelperFrame::HelperFrame(HelperContext& context, const HelperTraits& traits)
    : QWidget(context.mainWidget(), Qt::Tool | Qt::FramelessWindowHint), m_context(context),
      m_traits(traits) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromLatin1(traits.caption));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    m_strip = new QWidget(this);
    m_strip->setObjectName(QStringLiteral("Panel1"));
    m_strip->setFixedHeight(StripHeight);
    m_strip->setAutoFillBackground(true);
    QPalette navy = m_strip->palette();
    navy.setColor(QPalette::Window, Navy);
    m_strip->setPalette(navy);
    auto* stripLayout = new QHBoxLayout(m_strip);
    stripLayout->setContentsMargins(1, 1, 1, 1);
    stripLayout->setSpacing(2);
    m_roll = stripButton(new RollGlyphButton, "RollButton", QStringLiteral("5"), m_strip);
    m_caption = new QLabel(QString::fromLatin1(traits.caption), m_strip);
    m_caption->setObjectName(QStringLiteral("CaptionLabel"));
    QPalette white = m_caption->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    m_caption->setPalette(white);
    m_help = stripButton(new QToolButton, traits.helpButton, QStringLiteral("?"), m_strip);
    m_close = stripButton(new QToolButton, "CloseButton", QString(QChar(0x00D7)), m_strip);
    stripLayout->addWidget(m_roll);
    stripLayout->addWidget(m_caption, 1);
    stripLayout->addWidget(m_help);
    stripLayout->addWidget(m_close);
    outer->addWidget(m_strip);

    m_bodyWidget = new QWidget(this);
    QWidget* bodyWidget = m_bodyWidget;
    bodyWidget->setObjectName(QStringLiteral("body"));
    auto* bodyLayout = new QVBoxLayout(bodyWidget);
    bodyLayout->setContentsMargins(6, 6, 6, 6);
    m_body = new QVBoxLayout;
    bodyLayout->addLayout(m_body);
    auto* buttons = new QHBoxLayout;
    m_insert = new QPushButton(QString::fromLatin1(traits.insertCaption), bodyWidget);
    m_insert->setObjectName(QStringLiteral("InsertCode"));
    m_insert->setFlat(true);
    m_closeBody = new QPushButton(QStringLiteral("Close"), bodyWidget);
    m_closeBody->setObjectName(QStringLiteral("SpeedButton2"));
    m_closeBody->setFlat(true);
    buttons->addWidget(m_insert);
    buttons->addStretch(1);
    buttons->addWidget(m_closeBody);
    bodyLayout->addLayout(buttons);
    outer->addWidget(bodyWidget, 1);

    connect(m_roll, &QToolButton::clicked, this, &HelperFrame::RollButtonClick);
    connect(m_help, &QToolButton::clicked, this,
            [this] { m_context.showHelpTopic(m_traits.helpTopic); });
    connect(m_close, &QToolButton::clicked, this, &HelperFrame::CloseButtonClick);
    connect(m_closeBody, &QPushButton::clicked, this, &HelperFrame::CloseButtonClick);
    connect(m_insert, &QPushButton::clicked, this, &HelperFrame::InsertCodeClick);
    // Pressing the strip or the caption drags the window; double-clicking either rolls it.
    new OutlineDrag(*this, {m_strip, m_caption});
    m_strip->installEventFilter(this);
    m_caption->installEventFilter(this);
}

HelperFrame::~HelperFrame() = default;

QWidget* HelperFrame::titleStrip() const {
    return m_strip;
}

void HelperFrame::finishSetUp() {
    adjustSize();
    m_fullHeight = height();
    setFixedHeight(m_fullHeight);
    place();
}

void HelperFrame::place() {
    // Placed before it is shown: a move while the window is being mapped races with the window
    // manager's own placement, and the window may then stand elsewhere than the program believes.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (m_traits.centred && screen)
        move(centredPosition(screen->geometry().size(), size()));
    else
        move(helperPosition(m_context.settings(), m_traits, m_context.mainGeometry(), width()));
}

bool HelperFrame::isRolledUp() const {
    return height() != m_fullHeight;
}

void HelperFrame::RollButtonClick() {
    if (!m_traits.keepsFocusOnRoll)
        returnFocusAndInsert();
    // Rolled up, the body is hidden: squeezed under the strip it would overlap it, and take the
    // clicks meant for the caption.
    const bool rollUp = height() == m_fullHeight;
    m_bodyWidget->setVisible(!rollUp);
    setFixedHeight(rollUp ? m_strip->height() : m_fullHeight);
    m_roll->setText(rollUp ? QStringLiteral("6") : QStringLiteral("5"));
}

void HelperFrame::CloseButtonClick() {
    close();
}

void HelperFrame::InsertCodeClick() {
    returnFocusAndInsert();
    if (!m_context.insertions().hasDocument())
        return;
    // Whatever goes wrong in building the code is reported, never passed on to the event loop.
    m_context.guard([this] {
        if (m_editing)
            updateTag();
        else
            insertCode();
    });
}

void HelperFrame::editTag(const StartTag& tag) {
    m_editing = tag;
    m_insert->setText(QStringLiteral("Update tag"));
}

void HelperFrame::leaveEditMode() {
    m_editing.reset();
    m_insert->setText(QString::fromLatin1(m_traits.insertCaption));
}

void HelperFrame::updateTag() {
    DocumentView* document = m_context.documents().activeDocument();
    if (!document)
        return;
    TextControl& editor = document->editor();
    const StartTag& original = *m_editing;
    if (!stillHolds(editor.text(), original)) {
        m_context.showMessage(QStringLiteral("The tag has changed since the helper opened it."));
        return;
    }
    const QString text = updatedStartTag(original, tagCode(), helperForTag(original));
    if (text.isEmpty())
        return;
    // A program insertion as every helper's: one replacement, not undoable, the undo history
    // emptied.
    editor.setSelection(original.start, original.end);
    editor.replaceSelection(text);
    // The tag as it now stands is the one a further update replaces.
    std::optional<StartTag> updated = parseStartTag(text);
    if (!updated) {
        leaveEditMode();
        return;
    }
    updated->start = original.start;
    updated->end = original.start + text.size();
    m_editing = std::move(updated);
}

void HelperFrame::returnFocusAndInsert() {
    m_context.focusMain();
}

NumberBox* HelperFrame::numberBox(const char* name, int minimum, const QString& text,
                                  QWidget* parent) {
    auto* box = new NumberBox(
        QString::fromLatin1(name), minimum, [this] { returnFocusAndInsert(); },
        [this](const QString& error) { m_context.showError(error); }, parent);
    box->setText(text);
    return box;
}

void HelperFrame::closeEvent(QCloseEvent* event) {
    leaveEditMode();
    // The position is written at every close, rolled up or not, whatever the user chose.
    m_context.guard([this] {
        writeHelperPosition(m_context.settings(), m_traits, pos());
        writeOwnKeys();
    });
    event->accept();
}

bool HelperFrame::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_strip || watched == m_caption) &&
        event->type() == QEvent::MouseButtonDblClick) {
        RollButtonClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vellum
