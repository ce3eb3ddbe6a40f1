#include "ui/editor/go_to_line.h"

#include "core/foundation/prompter.h"
#include "core/helpers/whole_number.h"
#include "ui/editor/find_commands.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace vellum {

namespace {

/// The dialog stands this far above the main window's lower edge.
constexpr int AboveMainBottom = 100;

} // namespace

GoToLineDialog::GoToLineDialog(FindCommands& commands)
    : BorderlessDialog(&commands.mainWidget(), "gotoline", QStringLiteral("Go to line")),
      m_commands(commands) {
    QFrame* bevel = fillingFrame(*this, "Bevel1");
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setLineWidth(2);
    m_label = new QLabel(QStringLiteral("Go to line:"), bevel);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_edit = new QLineEdit(bevel);
    m_edit->setObjectName(QStringLiteral("Edit1"));
    m_edit->setFixedWidth(70);
    setFocusBox(m_edit);
    auto* row = new QHBoxLayout(bevel);
    row->setContentsMargins(8, 6, 8, 6);
    row->addWidget(m_label);
    row->addWidget(m_edit);
    m_label->installEventFilter(this);
    m_edit->installEventFilter(this);
    setFixedSize(sizeHint());

    const QRect main = commands.mainGeometry();
    move(main.x() + main.width() / 2, main.y() + main.height() - AboveMainBottom);
}

void GoToLineDialog::goToTypedLine() {
    const QString typed = m_edit->text();
    const std::optional<int> line = strictInt(typed);
    if (!line) {
        m_commands.prompter().error(notAnIntegerMessage(typed));
        return;
    }
    // Line 0 and below mean the first line; counting from 0 must not step below the smallest
    // number.
    m_commands.goToLine(std::max(*line, 1) - 1);
    close();
}

void GoToLineDialog::closeSteps() {
    m_commands.forget(this);
    m_commands.focusMain();
}

bool GoToLineDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_label && event->type() == QEvent::MouseButtonDblClick) {
        close();
        return true;
    }
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        // The last document may have closed while the dialog was open.
        if (!m_commands.hasDocument()) {
            close();
            return true;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            goToTypedLine();
            return true;
        }
        if (key == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vellum
