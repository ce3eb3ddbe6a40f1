#include "ui/library/add_to_library_dialog.h"

#include "core/editor/insertion.h"
#include "core/helpers/helper_placement.h"
#include "core/library/tag_library.h"
#include "ui/foundation/outline_drag.h"
#include "ui/foundation/window_parts.h"
#include "ui/helpers/helper_context.h"
#include "ui/library/user_library.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

namespace vellum {

namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent) {
    auto* shown = named<QLabel>(name, text, parent);
    shown->setWordWrap(true);
    // Pressing a label drags the dialog as pressing the panel around it does.
    shown->setAttribute(Qt::WA_TransparentForMouseEvents);
    return shown;
}

} // namespace

AddToLibraryDialog::AddToLibraryDialog(HelperContext& context, UserLibrary& library)
    : BorderlessDialog(context.mainWidget(), "TForm4", QStringLiteral("Add to Library")),
      m_context(context), m_library(library) {
    // The item's text leaves the scratch editor at once: other insertions while the dialog is open
    // neither change it nor receive it, and the scratch editor is empty between operations again.
    TextControl& scratch = context.documents().scratch();
    m_text = scratch.text();
    scratch.selectAll();
    scratch.replaceSelection(QString());

    QFrame* panel = fillingFrame(*this, "Panel1");
    m_panel = panel;
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    paintTeal(panel);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(12, 12, 12, 12);
    m_description = new QLineEdit(panel);
    m_description->setObjectName(QStringLiteral("description"));
    // The list keeps no more of a description than this.
    m_description->setMaxLength(MaxDescriptionLength);
    m_description->setMinimumWidth(300);
    setFocusBox(m_description);
    m_create = new QPushButton(QStringLiteral("Create Item"), panel);
    m_create->setObjectName(QStringLiteral("InsertCode"));
    m_close = new QPushButton(QStringLiteral("Close"), panel);
    m_close->setObjectName(QStringLiteral("SpeedButton2"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_create);
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    layout->addWidget(
        label("Label1", QStringLiteral("Type a description for your new Library item:"), panel));
    layout->addWidget(m_description);
    layout->addLayout(buttons);
    layout->addWidget(label("Label2",
                            QStringLiteral("If you need to change your description, edit it in the "
                                           "User Tags Helper."),
                            panel));

    new OutlineDrag(*this, {panel});
    connect(m_create, &QPushButton::clicked, this, &AddToLibraryDialog::InsertCodeClick);
    connect(m_close, &QPushButton::clicked, this, &AddToLibraryDialog::close);
    m_description->installEventFilter(this);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(centredPosition(screen->geometry().size(), size()));
    m_disabledDocument = dynamic_cast<QObject*>(context.documents().activeDocument());
    context.insertions().disableEditor();
}

void AddToLibraryDialog::InsertCodeClick() {
    // The index holds a row a line: a line break pasted into the description would split it.
    const QString description = m_description->text().replace(
        QRegularExpression(QStringLiteral("\r\n|\r|\n")), QStringLiteral(" "));
    if (description.isEmpty())
        return;
    bool made = false;
    m_context.guard([&] {
        QString error;
        made = !createLibraryItem(m_context.settings(), m_library.libraryDir(), m_text, description,
                                  m_library.handOff().row, error)
                    .isEmpty();
        if (!made)
            m_context.showError(error);
    });
    if (made)
        close();
}

void AddToLibraryDialog::closeSteps() {
    m_context.guard([this] {
        m_context.insertions().enableEditor();
        // The user may have gone to another document meanwhile: the editor stopped when the
        // dialog opened takes input again too.
        if (auto* document = dynamic_cast<DocumentView*>(m_disabledDocument.data()))
            document->setEditorEnabled(true);
        LibraryHandOff& handOff = m_library.handOff();
        handOff.reopen = QStringLiteral("yes");
        m_library.openUserTags();
        // With no document left the helper stays closed; its next opening starts afresh.
        handOff.reopen.clear();
    });
}

bool AddToLibraryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_description && event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            InsertCodeClick();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vellum
