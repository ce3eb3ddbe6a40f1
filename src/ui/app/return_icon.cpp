#include "ui/app/return_icon.h"

#include "core/app/command_registry.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/outline_drag.h"
#include "ui/foundation/window_parts.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace vellum {

namespace {

constexpr int Margin = 3;
constexpr int PictureWidth = ReturnIcon::Width - 2 * Margin;
constexpr int PictureHeight = 44;
constexpr int GripHeight = 16;

/// The picture: a white arrow turning back, drawn rather than loaded so that it needs no file.
QPixmap returnPicture() {
    QPixmap pixmap(PictureWidth, PictureHeight);
    pixmap.fill(Teal);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    // The shaft: right, then down and back to the left.
    QPainterPath shaft;
    shaft.moveTo(15, 14);
    shaft.lineTo(37, 14);
    shaft.arcTo(QRectF(29, 14, 16, 16), 90, -180);
    shaft.lineTo(19, 30);
    p.drawPath(shaft);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(QPolygonF{QPointF(9, 30), QPointF(19, 23), QPointF(19, 37)});
    return pixmap;
}

} // namespace

ReturnIcon::ReturnIcon(SettingsFile& settings, Prompter& prompter, QWidget& main)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings), m_prompter(prompter), m_main(main) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Return Icon"));
    setAttribute(Qt::WA_DeleteOnClose);
    // It stands beside the program; its staying open must not keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);

    m_panel = fillingFrame(*this, "Panel1");
    paintTeal(m_panel);

    // A rim of the panel shows around the picture, to drag the window by.
    auto* layout = new QVBoxLayout(m_panel);
    layout->setContentsMargins(Margin, Margin, Margin, 0);
    layout->setSpacing(0);
    m_picture = new ClickLabel(QStringLiteral("Image1"), QString(), m_panel);
    m_picture->setPixmap(returnPicture());
    m_picture->setToolTip(QStringLiteral("Return to VellumHTML"));
    m_picture->setCursor(Qt::PointingHandCursor);
    layout->addWidget(m_picture);
    m_grip = new ClickLabel(QStringLiteral("Label1"), QStringLiteral("\u2725"), m_panel);
    m_grip->setToolTip(QStringLiteral("Drag to move"));
    m_grip->setAlignment(Qt::AlignCenter);
    m_grip->setFixedHeight(GripHeight);
    m_grip->setCursor(Qt::SizeAllCursor);
    layout->addWidget(m_grip);

    new OutlineDrag(*this, {m_panel, m_grip});
    connect(m_picture, &ClickLabel::clicked, this, &ReturnIcon::returnToMainWindow);
    connect(m_grip, &ClickLabel::doubleClicked, this, &ReturnIcon::dismiss);

    setFixedSize(Width, Margin + PictureHeight + GripHeight);
    namespace W = keys::Windows;
    move(m_settings.readInt(W::Section, W::BackLeft, 0),
         m_settings.readInt(W::Section, W::BackTop, 0));
}

ReturnIcon::~ReturnIcon() = default;

void ReturnIcon::returnToMainWindow() {
    // Out of the taskbar as it was before, maximised or not.
    m_main.setWindowState(m_main.windowState() & ~Qt::WindowMinimized);
    m_main.raise();
    m_main.activateWindow();
    close();
}

void ReturnIcon::dismiss() {
    close();
}

void ReturnIcon::closeEvent(QCloseEvent* event) {
    namespace W = keys::Windows;
    runReporting(m_prompter, [this] {
        m_settings.writeTexts({{W::Section, W::BackTop, QString::number(y())},
                               {W::Section, W::BackLeft, QString::number(x())}});
    });
    event->accept();
}

} // namespace vellum
