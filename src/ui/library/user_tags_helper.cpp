#include "ui/library/user_tags_helper.h"

#include "core/app/document_file.h"
#include "core/editor/insertion.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/library/user_library.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace vellum {

namespace {

using Kind = TagList::Kind;

constexpr int MarkerWidth = 9;
constexpr int TextWidth = 250;
constexpr int GridHeight = 182;
constexpr int MarkerColumn = 0;
constexpr int NameColumn = 1;
constexpr int TextColumn = 2;

/// The editors of the Library's cells report their keys to the helper, which refuses text typed
/// into a row without an item.
class WatchedEditors : public QStyledItemDelegate {
public:
    WatchedEditors(QObject* watcher, QObject* parent)
        : QStyledItemDelegate(parent), m_watcher(watcher) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor)
            editor->installEventFilter(m_watcher);
        return editor;
    }

private:
    QObject* m_watcher;
};

/// Ends an edit in progress in a cell, as the user would by leaving the row: the current row
/// moves down one and back up.
void nudge(QTableWidget* grid) {
    const int row = grid->currentRow();
    if (row < 0)
        return;
    grid->setCurrentCell(row + 1 < grid->rowCount() ? row + 1 : std::max(0, row - 1), TextColumn);
    grid->setCurrentCell(row, TextColumn);
}

bool isRowKey(const QKeyEvent* key) {
    return key->modifiers() == Qt::ControlModifier &&
           (key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete);
}

/// Keys that change a cell's text, as opposed to the ones that move around the list, end an
/// edit, or insert and delete rows.
bool isTyping(const QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return false;
    default:
        break;
    }
    return !isRowKey(key) && (!key->text().isEmpty() || key->key() == Qt::Key_Backspace ||
                              key->key() == Qt::Key_Delete);
}

} // namespace

UserTagsHelper::UserTagsHelper(HelperContext& context, const HelperTraits& traits,
                               UserLibrary& library)
    : HelperFrame(context, traits), m_library(library), m_session(library.libraryDir()) {
    setObjectName(QStringLiteral("Tuserroll"));
    buildPopupMenu();
    auto* area = new QHBoxLayout;
    auto* grids = new QGridLayout;
    auto* buttons = new QButtonGroup(this);
    const struct {
        Kind kind;
        const char* button;
        const char* caption;
        const char* grid;
    } lists[] = {{Kind::Tags, "tagsbut", "Tags", "tagsgrid"},
                 {Kind::Fillers, "fillerbut", "Fillers", "fillergrid"},
                 {Kind::Library, "librbut", "Library", "librgrid"}};
    for (const auto& l : lists) {
        QRadioButton* button = radioButton(l.button, QString::fromLatin1(l.caption), buttons,
                                           static_cast<int>(l.kind), this);
        QTableWidget* grid = makeGrid(l.grid);
        grids->addWidget(grid, 0, 0);
        m_panes.push_back({l.kind, grid, button});
        showRows(m_panes.back(), 0, list(l.kind).rows() - 1);
        grid->setCurrentCell(0, TextColumn);
        const Kind kind = l.kind;
        connect(button, &QRadioButton::toggled, this, [this, kind](bool on) {
            if (on)
                selectList(kind);
        });
        connect(button, &QRadioButton::clicked, this, &UserTagsHelper::returnFocusAndInsert);
    }
    grid(Kind::Library)->setItemDelegate(new WatchedEditors(this, grid(Kind::Library)));
    area->addWidget(buildSide());
    area->addLayout(grids);
    body()->addLayout(area);

    // Focusing a list button selects it; the helper opens again on the Library, in edit mode at
    // the new item's row, after a new item was made.
    LibraryHandOff& handOff = library.handOff();
    const bool reopened = handOff.reopen == QLatin1String("yes");
    QRadioButton* first = listButton(reopened ? Kind::Library : Kind::Tags);
    first->setChecked(true);
    first->setFocus();
    if (reopened) {
        m_editCheck->setChecked(true);
        grid(Kind::Library)->setCurrentCell(handOff.row, TextColumn);
        handOff.row = 0;
    }
    handOff.reopen.clear();
    finishSetUp();
    returnFocusAndInsert();
}

QWidget* UserTagsHelper::buildSide() {
    auto* side = new QWidget(this);
    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const Pane& p : m_panes)
        layout->addWidget(p.button);
    layout->addStretch(1);
    m_editCheck = checkBox("editcheck", QStringLiteral("edit"), side);
    layout->addWidget(m_editCheck);
    connect(m_editCheck, &QCheckBox::toggled, this, &UserTagsHelper::setEditMode);
    connect(m_editCheck, &QCheckBox::clicked, this, &UserTagsHelper::returnFocusAndInsert);

    auto* panel = new QFrame(side);
    m_libraryPanel = panel;
    panel->setObjectName(QStringLiteral("Panel2"));
    panel->setFrameShape(QFrame::StyledPanel);
    // The panel keeps its room while hidden, so that the window keeps its shape.
    keepRoom(panel);
    auto* panelLayout = new QVBoxLayout(panel);
    const struct {
        const char* name;
        const char* caption;
        void (UserTagsHelper::*run)();
    } buttons[] = {{"SpeedButton3", "New", &UserTagsHelper::NewItemClick},
                   {"SpeedButton4", "Save", &UserTagsHelper::SaveEditsClick}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), panel);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFlat(true);
        panelLayout->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, run = b.run] { guarded(run); });
    }
    panel->hide();
    layout->addWidget(panel);
    return side;
}

QTableWidget* UserTagsHelper::makeGrid(const char* name) {
    auto* grid = new QTableWidget(0, 3, this);
    grid->setObjectName(QString::fromLatin1(name));
    grid->horizontalHeader()->hide();
    // The row header is the marker the user drags a row by; the marker column itself stays
    // empty and the item names are never shown.
    QHeaderView* marker = grid->verticalHeader();
    marker->setFixedWidth(MarkerWidth);
    marker->setSectionResizeMode(QHeaderView::Fixed);
    grid->setColumnHidden(MarkerColumn, true);
    grid->setColumnHidden(NameColumn, true);
    grid->setColumnWidth(TextColumn, TextWidth);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setFixedSize(MarkerWidth + TextWidth + 2 * grid->frameWidth() +
                           grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
                       GridHeight);
    const int rowHeight = grid->height() / 10;
    marker->setMinimumSectionSize(rowHeight);
    marker->setDefaultSectionSize(rowHeight);

    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint& at) { m_popup->popup(grid->viewport()->mapToGlobal(at)); });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] {
        // In edit mode a double-click edits the cell instead.
        if (!editing())
            HelperFrame::InsertCodeClick();
    });
    connect(grid, &QTableWidget::itemChanged, this, &UserTagsHelper::cellEdited);
    connect(marker, &QHeaderView::sectionMoved, this,
            [this, grid](int, int from, int to) { rowDragged(grid, from, to); });
    grid->installEventFilter(this);
    return grid;
}

void UserTagsHelper::buildPopupMenu() {
    m_popup = new QMenu(this);
    m_popup->setObjectName(QStringLiteral("PopupMenu1"));
    const struct {
        const char* name;
        const char* caption;
        const char* keys;
        void (UserTagsHelper::*run)();
    } items[] = {{"Cut1", "cut", "Ctrl+X", nullptr},
                 {"Copy1", "copy", "Ctrl+C", nullptr},
                 {"Paste1", "paste", "Ctrl+V", nullptr},
                 {"NewItem", "New Item", "", &UserTagsHelper::NewItemClick},
                 {"InsertRow", "Insert Row", "", &UserTagsHelper::InsertRowClick},
                 {"Insert2", "Insert Row", "Ctrl+Insert", &UserTagsHelper::InsertRowClick},
                 {"DeleteRow", "Delete Row", "", &UserTagsHelper::DeleteRowClick},
                 {"DeleteRow1", "Delete Row", "Ctrl+Delete", &UserTagsHelper::DeleteRowClick},
                 {"SaveEdits", "Save Edits", "", &UserTagsHelper::SaveEditsClick},
                 {"N1", nullptr, "", nullptr},
                 {"EditMode1", "Edit Mode", "", &UserTagsHelper::toggleEditMode}};
    for (const auto& item : items) {
        QAction* action = item.caption ? m_popup->addAction(QString::fromLatin1(item.caption))
                                       : m_popup->addSeparator();
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(QKeySequence(QString::fromLatin1(item.keys)));
        if (item.run)
            connect(action, &QAction::triggered, this, [this, run = item.run] { guarded(run); });
    }
    // The keys of these are taken by the lists themselves (see eventFilter); the cell editors
    // keep their own cut, copy and paste.
    for (const char* hidden : {"Cut1", "Copy1", "Paste1", "Insert2", "DeleteRow1"})
        menuItem(hidden)->setVisible(false);
    connect(m_popup, &QMenu::aboutToShow, this, [this] {
        const bool on = editing();
        for (const char* name : {"InsertRow", "DeleteRow", "SaveEdits", "N1"})
            menuItem(name)->setVisible(on);
        menuItem("NewItem")->setVisible(on && selected() == Kind::Library);
        menuItem("EditMode1")
            ->setText(on ? QStringLiteral("Insert Mode") : QStringLiteral("Edit Mode"));
    });
}

QAction* UserTagsHelper::menuItem(const char* name) const {
    return m_popup->findChild<QAction*>(QString::fromLatin1(name));
}

bool UserTagsHelper::editing() const {
    return m_session.editing();
}

UserTagsHelper::Pane& UserTagsHelper::paneOf(const QTableWidget* grid) {
    return *std::find_if(m_panes.begin(), m_panes.end(),
                         [grid](const Pane& p) { return p.grid == grid; });
}

void UserTagsHelper::showRows(Pane& p, int first, int last) {
    const QSignalBlocker blocker(p.grid);
    const TagList& shown = list(p.kind);
    m_filling = true;
    if (p.grid->rowCount() != shown.rows()) {
        p.grid->setRowCount(shown.rows());
        p.grid->setVerticalHeaderLabels(QStringList(shown.rows(), QString()));
    }
    for (int row = std::max(0, first); row <= last && row < shown.rows(); ++row) {
        auto* name = new QTableWidgetItem(shown.row(row).name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        p.grid->setItem(row, NameColumn, name);
        auto* text = new QTableWidgetItem(shown.text(row));
        text->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
        p.grid->setItem(row, TextColumn, text);
    }
    m_filling = false;
    p.grid->viewport()->update();
}

void UserTagsHelper::selectList(Kind kind) {
    m_session.select(kind);
    for (const Pane& p : m_panes)
        p.grid->setVisible(p.kind == kind);
    m_libraryPanel->setVisible(kind == Kind::Library && editing());
}

void UserTagsHelper::setEditMode(bool on) {
    m_session.setEditing(on);
    insertButton()->setText(on ? QStringLiteral("Save Edits") : QStringLiteral("Insert Code"));
    m_libraryPanel->setVisible(on && selected() == Kind::Library);
    for (const Pane& p : m_panes) {
        p.grid->setEditTriggers(on ? QAbstractItemView::DoubleClicked |
                                         QAbstractItemView::EditKeyPressed |
                                         QAbstractItemView::AnyKeyPressed
                                   : QAbstractItemView::NoEditTriggers);
        p.grid->verticalHeader()->setSectionsMovable(on);
    }
}

void UserTagsHelper::cellEdited(QTableWidgetItem* item) {
    if (m_filling || item->column() != TextColumn)
        return;
    const QString text =
        m_session.setText(paneOf(item->tableWidget()).kind, item->row(), item->text());
    if (text != item->text()) {
        const QSignalBlocker blocker(item->tableWidget());
        item->setText(text);
    }
}

void UserTagsHelper::rowDragged(QTableWidget* grid, int from, int to) {
    // The header goes back to the list's order at once; the rows themselves move in the list.
    {
        const QSignalBlocker blocker(grid->verticalHeader());
        grid->verticalHeader()->moveSection(to, from);
    }
    Pane& p = paneOf(grid);
    m_session.moveRow(p.kind, from, to);
    showRows(p, std::min(from, to), std::max(from, to));
    grid->setCurrentCell(to, TextColumn);
}

void UserTagsHelper::guarded(void (UserTagsHelper::*handler)()) {
    context().guard([this, handler] { (this->*handler)(); });
}

void UserTagsHelper::InsertCodeClick() {
    if (editing())
        guarded(&UserTagsHelper::SaveEditsClick);
    else
        HelperFrame::InsertCodeClick();
}

void UserTagsHelper::insertCode() {
    const Pane& p = selectedPane();
    const int row = p.grid->currentRow();
    if (row < 0)
        return;
    switch (p.kind) {
    case Kind::Tags: {
        const TagPair tags = splitTagEntry(list(p.kind).text(row));
        context().insertions().wrapSelection(tags.open, tags.close);
        break;
    }
    case Kind::Fillers:
        context().insertions().insertText(list(p.kind).text(row));
        break;
    case Kind::Library:
        insertItem(row);
        break;
    }
}

void UserTagsHelper::insertItem(int row) {
    const QString path = m_session.itemFile(row);
    if (path.isEmpty())
        return;
    LoadedDocument item;
    QString error;
    if (!loadDocumentFile(path, item, error)) {
        context().showError(error);
        return;
    }
    if (item.text.size() > ScratchCapacity) {
        context().showError(tooMuchTextMessage());
        return;
    }
    TextControl& scratch = context().documents().scratch();
    scratch.selectAll();
    scratch.replaceSelection(item.text);
    context().insertions().insertScratch();
}

void UserTagsHelper::SaveEditsClick() {
    Pane& p = selectedPane();
    // The cell being edited is part of what is saved.
    nudge(p.grid);
    QString message;
    if (m_session.save(message) != TagListSession::Change::Done) {
        context().showError(message);
        return;
    }
    m_editCheck->setChecked(false);
    nudge(p.grid);
    returnFocusAndInsert();
}

int UserTagsHelper::rowToEdit() {
    if (!editing())
        return -1;
    Pane& p = selectedPane();
    nudge(p.grid);
    return p.grid->currentRow();
}

void UserTagsHelper::changed(TagListSession::Change change, const QString& message, int row) {
    if (change == TagListSession::Change::Failed)
        context().showError(message);
    else if (change == TagListSession::Change::Done)
        showRows(selectedPane(), row, list(selected()).rows() - 1);
}

void UserTagsHelper::InsertRowClick() {
    const int row = rowToEdit();
    QString message;
    changed(m_session.insertRow(row, message), message, row);
}

void UserTagsHelper::DeleteRowClick() {
    const int row = rowToEdit();
    QString message;
    changed(m_session.deleteRow(row, message), message, row);
}

void UserTagsHelper::NewItemClick() {
    if (!editing() || selected() != Kind::Library)
        return;
    QTableWidget* library = grid(Kind::Library);
    nudge(library);
    const int row = library->currentRow();
    QString message;
    const TagListSession::Change change = m_session.newItemAt(row, message);
    if (change == TagListSession::Change::Ignored)
        return;
    if (change == TagListSession::Change::Refused) {
        context().showMessage(message);
        return;
    }
    m_library.handOff().row = row;
    if (change == TagListSession::Change::Done)
        m_library.newLibraryItem();
    else
        context().showError(message);
}

void UserTagsHelper::toggleEditMode() {
    m_editCheck->setChecked(!m_editCheck->isChecked());
    nudge(selectedPane().grid);
}

bool UserTagsHelper::refuseTyping(QObject* watched, const QKeyEvent* key) {
    QTableWidget* library = grid(Kind::Library);
    const bool inLibrary = watched == library ||
                           (watched->isWidgetType() &&
                            qobject_cast<QWidget*>(watched)->parentWidget() == library->viewport());
    const int row = library->currentRow();
    if (!inLibrary || !isTyping(key) || !m_session.refusesTyping(Kind::Library, row))
        return false;
    // The typed text goes first: the message takes the focus, and a cell editor losing it keeps
    // what it holds.
    if (auto* editor = qobject_cast<QLineEdit*>(watched))
        editor->clear();
    context().showMessage(QStringLiteral("You must use the New command to add new entries."));
    m_session.setText(Kind::Library, row, QString());
    showRows(pane(Kind::Library), row, row);
    nudge(library);
    return true;
}

bool UserTagsHelper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* grid = qobject_cast<QTableWidget*>(watched);
        if (grid && isRowKey(key) && editing()) {
            guarded(key->key() == Qt::Key_Insert ? &UserTagsHelper::InsertRowClick
                                                 : &UserTagsHelper::DeleteRowClick);
            return true;
        }
    } else if (event->type() == QEvent::KeyRelease &&
               refuseTyping(watched, static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return HelperFrame::eventFilter(watched, event);
}

} // namespace vellum
