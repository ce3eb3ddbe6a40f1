#include "ui/editor/find_parts.h"

#include "core/editor/search.h"
#include "core/foundation/clipboard.h"
#include "ui/editor/find_commands.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace vellum {

EditBoxMenu::EditBoxMenu(QWidget& window, Clipboard& clipboard,
                         std::initializer_list<QLineEdit*> boxes)
    : QObject(&window), m_clipboard(clipboard), m_menu(new QMenu(&window)) {
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    m_cut = m_menu->addAction(QStringLiteral("Cut "), this, [this] { cut(m_target); });
    m_copy = m_menu->addAction(QStringLiteral("Copy "), this, [this] { copy(m_target); });
    m_paste = m_menu->addAction(QStringLiteral("Paste "), this, [this] { paste(m_target); });
    const struct {
        const char* name;
        QKeySequence::StandardKey key;
        void (EditBoxMenu::*run)(QLineEdit*);
    } hidden[] = {
        {"Cut", QKeySequence::Cut, &EditBoxMenu::cut},
        {"Copy", QKeySequence::Copy, &EditBoxMenu::copy},
        {"Paste", QKeySequence::Paste, &EditBoxMenu::paste},
    };
    for (const auto& item : hidden) {
        // Not on the menu at all: an item made invisible there would not take its key either.
        auto* action = new QAction(QString::fromLatin1(item.name), this);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(item.key);
        connect(action, &QAction::triggered, this,
                [this, run = item.run] { (this->*run)(m_target); });
        m_keyItems.push_back({item.key, action});
    }
    for (QLineEdit* box : boxes) {
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this,
                [this, box](const QPoint& at) { popup(box, box->mapToGlobal(at)); });
        box->installEventFilter(this);
    }
}

void EditBoxMenu::popup(QLineEdit* box, const QPoint& globalPosition) {
    m_target = box;
    updateItems(box);
    m_menu->popup(globalPosition);
}

void EditBoxMenu::updateItems(const QLineEdit* box) {
    m_cut->setEnabled(box->hasSelectedText());
    m_copy->setEnabled(box->hasSelectedText());
    m_paste->setEnabled(m_clipboard.hasText());
}

void EditBoxMenu::cut(QLineEdit* box) {
    if (!box || !box->hasSelectedText())
        return;
    m_clipboard.setText(box->selectedText());
    box->del();
}

void EditBoxMenu::copy(QLineEdit* box) {
    // Nothing selected leaves the clipboard as it is.
    if (box && box->hasSelectedText())
        m_clipboard.setText(box->selectedText());
}

void EditBoxMenu::paste(QLineEdit* box) {
    if (box && m_clipboard.hasText())
        box->insert(m_clipboard.text());
}

bool EditBoxMenu::eventFilter(QObject* watched, QEvent* event) {
    const bool overriding = event->type() == QEvent::ShortcutOverride;
    if (!overriding && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const KeyItem& item : m_keyItems) {
        if (!key->matches(item.key))
            continue;
        // The key stays with the box, away from the main window's items with the same key (a
        // tool window shares them); the hidden item runs on the box instead of its own copy.
        if (overriding) {
            event->accept();
        } else {
            m_target = qobject_cast<QLineEdit*>(watched);
            item.action->trigger();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

StoredSearchOptions SearchBoxes::options() const {
    StoredSearchOptions options;
    options.wholeWord = wholeWord->isChecked();
    options.matchCase = matchCase->isChecked();
    options.upward = upward->isChecked();
    options.fromTop = fromTop->isChecked();
    return options;
}

SearchWindow::SearchWindow(FindCommands& commands, Qt::WindowFlags flags)
    : QDialog(&commands.mainWidget(), flags), m_commands(commands) {
    setAttribute(Qt::WA_DeleteOnClose);
}

QMenu* SearchWindow::editMenu() const {
    return m_menu->menu();
}

void SearchWindow::finishBoxes(bool withFromTop) {
    // Ticking one direction box clears the other, whoever ticks it; stored options are applied
    // after this, so the window never shows both ticked.
    QCheckBox* fromTop = m_boxes.fromTop;
    QCheckBox* upward = m_boxes.upward;
    connect(fromTop, &QCheckBox::toggled, upward, [upward](bool on) {
        if (on)
            upward->setChecked(false);
    });
    connect(upward, &QCheckBox::toggled, fromTop, [fromTop](bool on) {
        if (on)
            fromTop->setChecked(false);
    });
    const SearchState& state = m_commands.search();
    m_boxes.find->setText(state.findText);
    m_boxes.replace->setText(state.replaceText);
    const StoredSearchOptions stored = readSearchOptions(m_commands.settings());
    m_boxes.wholeWord->setChecked(stored.wholeWord);
    m_boxes.matchCase->setChecked(stored.matchCase);
    fromTop->setChecked(withFromTop && stored.fromTop);
    upward->setChecked(stored.upward);
    m_menu = new EditBoxMenu(*this, m_commands.clipboard(), {m_boxes.find, m_boxes.replace});
}

void SearchWindow::readWindow() {
    SearchState& state = m_commands.search();
    state.findText = m_boxes.find->text();
    state.replaceText = m_boxes.replace->text();
    static_cast<StoredSearchOptions&>(state) = m_boxes.options();
}

void SearchWindow::replaceRemaining() {
    if (!m_commands.hasDocument())
        return;
    m_commands.search().replaceMode = true;
    readWindow();
    m_commands.replaceRemaining();
    m_commands.focusMain();
}

void SearchWindow::closeEvent(QCloseEvent* event) {
    if (!m_closing.first(event))
        return;
    readWindow();
    closeSteps();
    m_commands.forget(this);
}

void SearchWindow::reject() {
    close();
}

QColor findTeal() {
    return Teal;
}

QLabel* findLabel(const char* name, const QString& text, QWidget* parent) {
    return named<QLabel>(name, text, parent);
}

QCheckBox* optionBox(const char* name, const QString& text, QWidget* parent) {
    return named<QCheckBox>(name, text, parent);
}

QLineEdit* textBox(const char* name, const QString& text, QWidget* parent) {
    return named<QLineEdit>(name, text, parent);
}

} // namespace vellum
