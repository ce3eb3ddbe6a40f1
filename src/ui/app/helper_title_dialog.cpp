#include "ui/app/helper_title_dialog.h"

#include "ui/foundation/window_parts.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vellum {

namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* label = named<QLabel>(name, text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

HelperTitleDialog::HelperTitleDialog(Hooks hooks)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      m_hooks(std::move(hooks)) {
    setObjectName(QStringLiteral("helpername"));
    setWindowTitle(QStringLiteral("What is the title of your helper?"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        label("Label5", QStringLiteral("If your helper is not visible, press alt+tab until it is."),
              this));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(m_edit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    // Enter belongs to the title box; no button takes it as the dialog's default.
    m_ok = commandButton("SpeedButton2", QStringLiteral("OK"), this);
    m_cancel = commandButton("SpeedButton1", QStringLiteral("Cancel"), this);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    layout->addWidget(label("Label4",
                            QStringLiteral("You can return to this dialog by accessing the Helper "
                                           "Preference option from the Edit menu."),
                            this));
    // Kept for their names; never shown.
    const char* const hidden[][2] = {
        {"Label1", "The helper you've chosen is not an executable file."},
        {"Label2", "You need you to record the window title of your helper"},
        {"Label3", "below so that VellumHTML can effectively taskswitch."}};
    for (const auto& row : hidden)
        label(row[0], QString::fromLatin1(row[1]), this)->hide();

    connect(m_ok, &QPushButton::clicked, this, &HelperTitleDialog::storeTitle);
    connect(m_cancel, &QPushButton::clicked, this, &HelperTitleDialog::cancelTitle);
    connect(m_edit, &QLineEdit::returnPressed, this, &HelperTitleDialog::storeTitle);

    setFixedWidth(360);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

HelperTitleDialog::~HelperTitleDialog() = default;

void HelperTitleDialog::storeTitle() {
    const QString title = m_edit->text();
    if (title.isEmpty())
        return;
    // Hidden first, so that it is not the window found under that title or brought forward.
    hide();
    if (m_hooks.store)
        m_hooks.store(title);
    close();
}

void HelperTitleDialog::cancelTitle() {
    if (m_hooks.cancelled)
        m_hooks.cancelled();
    close();
}

void HelperTitleDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelTitle();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace vellum
