#pragma once

#include "core/editor/search_settings.h"
#include "ui/foundation/window_parts.h"

#include <QDialog>
#include <QKeySequence>
#include <initializer_list>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace vellum {

class Clipboard;
class FindCommands;
struct SearchState;

/// The context menu of the find windows' edit boxes ("PopupMenu1"): Cut, Copy and Paste on the
/// box it opens over, through the program's clipboard. Three hidden items, which the menu does not
/// show, carry the same keys, so that Ctrl+X, Ctrl+C and Ctrl+V in a box go through that clipboard
/// too.
class EditBoxMenu : public QObject {
    Q_OBJECT
public:
    EditBoxMenu(QWidget& window, Clipboard& clipboard, std::initializer_list<QLineEdit*> boxes);

    QMenu* menu() const { return m_menu; }
    /// Opens the menu over `box` at `globalPosition`, its items enabled for that box.
    void popup(QLineEdit* box, const QPoint& globalPosition);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateItems(const QLineEdit* box);
    void cut(QLineEdit* box);
    void copy(QLineEdit* box);
    void paste(QLineEdit* box);

    Clipboard& m_clipboard;
    QMenu* m_menu;
    QAction* m_cut;
    QAction* m_copy;
    QAction* m_paste;
    /// The box the menu opened over, or the box a key of a hidden item was pressed in; the items
    /// act on it.
    QLineEdit* m_target = nullptr;
    struct KeyItem {
        QKeySequence::StandardKey key;
        QAction* action;
    };
    std::vector<KeyItem> m_keyItems;
};

/// The boxes both find windows have: the two texts and the four options.
struct SearchBoxes {
    QLineEdit* find = nullptr;
    QLineEdit* replace = nullptr;
    QCheckBox* wholeWord = nullptr;
    QCheckBox* matchCase = nullptr;
    QCheckBox* fromTop = nullptr;
    QCheckBox* upward = nullptr;

    StoredSearchOptions options() const;
};

/// What the Find & Replace window and the Find Again window share: the boxes that are read into
/// the search state, the edit boxes' context menu, Replace Remaining, and closing, which reads the
/// window once more, runs the window's own close steps and empties the main window's reference.
/// The window destroys itself when it closes.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    const SearchBoxes& boxes() const { return m_boxes; }
    QMenu* editMenu() const;

    /// Copies the texts and the option boxes into the shared search state.
    void readWindow();
    /// Replace Remaining on the active document with the window's texts and options; nothing
    /// without a document. The focus then goes back to the main window.
    void replaceRemaining();

protected:
    SearchWindow(FindCommands& commands, Qt::WindowFlags flags);

    /// Sets the boxes from the settings (the check-from-top box only when `withFromTop`), makes
    /// the two direction boxes exclude each other and gives the edit boxes their menu. Called
    /// once `m_boxes` is filled.
    void finishBoxes(bool withFromTop);
    /// The window's own close steps, after the window was read.
    virtual void closeSteps() = 0;

    void closeEvent(QCloseEvent* event) override;
    /// Escape closes the window with its close steps.
    void reject() override;

    FindCommands& m_commands;
    SearchBoxes m_boxes;

private:
    EditBoxMenu* m_menu = nullptr;
    CloseOnce m_closing;
};

/// The find windows' background, RGB 00 80 80.
QColor findTeal();
QLabel* findLabel(const char* name, const QString& text, QWidget* parent);
QCheckBox* optionBox(const char* name, const QString& text, QWidget* parent);
QLineEdit* textBox(const char* name, const QString& text, QWidget* parent);

} // namespace vellum
