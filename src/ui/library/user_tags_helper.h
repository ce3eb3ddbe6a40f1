#pragma once

#include "core/library/tag_list_session.h"
#include "ui/helpers/helper_frame.h"

#include <QString>
#include <vector>

class QAction;
class QCheckBox;
class QKeyEvent;
class QMenu;
class QRadioButton;
class QTableWidget;
class QTableWidgetItem;

namespace vellum {

class UserLibrary;

/// The User Tags helper: three lists the user keeps in the tag library. A Tags entry wraps the
/// document's selection in its pair of tags, a Filler goes in at the caret, a Library item (a text
/// in a file of its own) goes in at the caret. In edit mode the lists are changed in place: cells
/// edited, rows dragged by their marker, inserted and deleted, and saved to their files; new
/// Library items are made from the document's selection. The lists and the rules of every change
/// are a TagListSession's; the window shows them and hands it the user's actions.
class UserTagsHelper : public HelperFrame {
    Q_OBJECT
public:
    using Kind = TagList::Kind;
    UserTagsHelper(HelperContext& context, const HelperTraits& traits, UserLibrary& library);

    QRadioButton* listButton(Kind kind) const { return pane(kind).button; }
    QTableWidget* grid(Kind kind) const { return pane(kind).grid; }
    const TagList& list(Kind kind) const { return m_session.list(kind); }
    /// The list on show.
    Kind selected() const { return m_session.selected(); }
    QCheckBox* editCheck() const { return m_editCheck; }
    bool editing() const;
    /// The panel of the "New" and "Save" buttons, shown for the Library in edit mode.
    QWidget* libraryPanel() const { return m_libraryPanel; }
    QMenu* popupMenu() const { return m_popup; }
    /// A context menu item by its name ("InsertRow", "EditMode1", ...).
    QAction* menuItem(const char* name) const;

    /// Inserts the current entry, or saves the list in edit mode.
    void InsertCodeClick() override;
    void SaveEditsClick();
    void InsertRowClick();
    void DeleteRowClick();
    void NewItemClick();
    void toggleEditMode();

protected:
    void insertCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Pane {
        Kind kind;
        QTableWidget* grid;
        QRadioButton* button;
    };

    const Pane& pane(Kind kind) const { return m_panes.at(static_cast<size_t>(kind)); }
    Pane& pane(Kind kind) { return m_panes.at(static_cast<size_t>(kind)); }
    Pane& paneOf(const QTableWidget* grid);
    Pane& selectedPane() { return pane(selected()); }
    /// The current row of the list on show, its edit in progress ended; -1 when the lists are
    /// not being edited.
    int rowToEdit();
    /// Shows what became of a change to rows `row` onwards of the list on show.
    void changed(TagListSession::Change change, const QString& message, int row);

    QTableWidget* makeGrid(const char* name);
    QWidget* buildSide();
    void buildPopupMenu();
    void showRows(Pane& pane, int first, int last);
    void selectList(Kind kind);
    void setEditMode(bool on);
    void cellEdited(QTableWidgetItem* item);
    void rowDragged(QTableWidget* grid, int from, int to);
    void insertItem(int row);
    /// Refuses text typed into a Library row that has no item; true when it did.
    bool refuseTyping(QObject* watched, const QKeyEvent* key);
    /// Runs a handler that writes files: whatever fails is reported, never passed on.
    void guarded(void (UserTagsHelper::*handler)());

    UserLibrary& m_library;
    TagListSession m_session;
    std::vector<Pane> m_panes;
    QCheckBox* m_editCheck = nullptr;
    QWidget* m_libraryPanel = nullptr;
    QMenu* m_popup = nullptr;
    bool m_filling = false;
};

} // namespace vellum
