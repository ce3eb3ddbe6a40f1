#include "ui/app/message_box_prompter.h"

#include "ui/app/recovery_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <type_traits>

namespace vellum {

namespace {
QString title() {
    return QApplication::applicationName();
}

// The window a box raised from `widget` belongs to: the visible window that holds it, where a
// popped-up menu or list stands for the window it popped up from and a closed window for its
// parent.
QWidget* shownWindow(QWidget* widget) {
    while (widget) {
        QWidget* window = widget->window();
        if (window->isVisible() && window->windowType() != Qt::Popup)
            return window;
        widget = window->parentWidget();
    }
    return nullptr;
}

} // namespace

/// Remembers the window of the last key or mouse button the user pressed.
class InputWindowWatcher : public QObject {
public:
    InputWindowWatcher() {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->installEventFilter(this);
    }

    QWidget* lastInput() const { return m_last; }
    void setLastInput(QWidget* window) { m_last = window; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
            if (auto* widget = qobject_cast<QWidget*>(watched))
                m_last = widget->window();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QPointer<QWidget> m_last;
};

MessageBoxPrompter::MessageBoxPrompter(QWidget* parent)
    : m_parent(parent), m_watcher(std::make_unique<InputWindowWatcher>()) {}

MessageBoxPrompter::~MessageBoxPrompter() = default;

QWidget* MessageBoxPrompter::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* window = shownWindow(m_watcher->lastInput()))
        return window;
    return m_parent;
}

template <typename Run> auto MessageBoxPrompter::owned(Run run) {
    const QPointer<QWidget> owner = this->owner();
    auto result = run(owner.data());
    // What the user pressed in the dialog belongs to the dialog: the next message still belongs
    // to the window that raised this one.
    m_watcher->setLastInput(owner);
    return result;
}

int MessageBoxPrompter::showMessage(int icon, const QString& text, int buttons) {
    return owned([&](QWidget* owner) {
        // Made on the heap: the owner may go while the box is open, taking its children along.
        QPointer<QMessageBox> box =
            new QMessageBox(static_cast<QMessageBox::Icon>(icon), title(), text,
                            static_cast<QMessageBox::StandardButtons>(buttons), owner);
        box->setTextFormat(Qt::PlainText);
        const int answer = box->exec();
        delete box.data();
        return answer;
    });
}

void MessageBoxPrompter::inform(const QString& text) {
    showMessage(QMessageBox::Information, text, QMessageBox::Ok);
}

void MessageBoxPrompter::error(const QString& text) {
    showMessage(QMessageBox::Critical, text, QMessageBox::Ok);
}

bool MessageBoxPrompter::askYesNo(const QString& text) {
    return showMessage(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

Prompter::Answer MessageBoxPrompter::askYesNoCancel(const QString& text) {
    switch (showMessage(QMessageBox::Question, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

QString MessageBoxPrompter::dialogFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString masks = parts[i + 1];
        // "*.*" means every file, names without a dot included.
        masks.replace(QLatin1String("*.*"), QLatin1String("*"));
        masks.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << parts[i] + QStringLiteral(" (") + masks + QLatin1Char(')');
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

// Runs a dialog made on the heap (its owner may go while it is open, taking its children along)
// and hands it to `read` when it was accepted; the dialog is deleted afterwards.
template <typename Dialog, typename Read, typename Result = std::invoke_result_t<Read, Dialog&>>
Result runDialog(Dialog* made, Read read) {
    const QPointer<Dialog> dialog(made);
    const bool accepted = dialog->exec() == QDialog::Accepted && dialog;
    Result result = accepted ? read(*dialog) : Result();
    delete dialog.data();
    return result;
}

QString firstSelected(QFileDialog& dialog) {
    return dialog.selectedFiles().value(0);
}

} // namespace

QString MessageBoxPrompter::openFileName(const FileDialogRequest& request) {
    return owned([&](QWidget* owner) {
        auto* dialog =
            new QFileDialog(owner, request.title, QString(), dialogFilter(request.filter));
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog->setDefaultSuffix(request.defaultSuffix);
        dialog->setOption(QFileDialog::ReadOnly, false);
        return runDialog(dialog, firstSelected);
    });
}

QString MessageBoxPrompter::saveFileName(const FileDialogRequest& request) {
    return owned([&](QWidget* owner) {
        auto* dialog =
            new QFileDialog(owner, request.title, QString(), dialogFilter(request.filter));
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // The caller asks before replacing a file, and adds the extension itself.
        dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
        return runDialog(dialog, firstSelected);
    });
}

bool MessageBoxPrompter::choosePrinter(QPrinter& printer) {
    printer.setCopyCount(1);
    printer.setCollateCopies(true);
    return owned([&](QWidget* owner) {
        return runDialog(new QPrintDialog(&printer, owner), [](QPrintDialog&) { return true; });
    });
}

bool MessageBoxPrompter::chooseFont(QFont& font) {
    const std::optional<QFont> chosen = owned([&](QWidget* owner) {
        return runDialog(new QFontDialog(font, owner),
                         [](QFontDialog& dialog) { return std::optional(dialog.selectedFont()); });
    });
    if (chosen)
        font = *chosen;
    return chosen.has_value();
}

bool MessageBoxPrompter::chooseColour(QColor& colour) {
    const QColor chosen = owned([&](QWidget* owner) {
        return runDialog(new QColorDialog(colour, owner),
                         [](QColorDialog& dialog) { return dialog.selectedColor(); });
    });
    if (!chosen.isValid())
        return false;
    colour = chosen;
    return true;
}

void MessageBoxPrompter::setUpPrinter(QPrinter& printer) {
    owned([&](QWidget* owner) {
        return runDialog(new QPageSetupDialog(&printer, owner),
                         [](QPageSetupDialog&) { return true; });
    });
}

std::optional<QList<int>>
MessageBoxPrompter::chooseRecoveries(const QList<RecoveryChoice>& choices) {
    return owned([&](QWidget* owner) { return RecoveryDialog::choose(choices, owner); });
}

} // namespace vellum
