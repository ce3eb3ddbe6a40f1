#pragma once

#include "core/library/tag_library.h"

#include <QString>
#include <vector>

namespace vellum {

/// The User Tags helper's three lists of the tag library (Tags, Fillers, Library) while the user
/// works with them: the list on show, whether the lists are being edited, and every change the
/// user makes, with when it is written to the list's file. The window shows the lists and hands
/// the user's actions over; rows are the window's rows.
class TagListSession {
public:
    using Kind = TagList::Kind;

    /// What became of a change the user asked for.
    enum class Change {
        Ignored, ///< not possible now (not editing, no row, another list): nothing happened
        Refused, ///< the user is told why in `message`; nothing changed
        Failed,  ///< a file could not be written (`message` names it); the list is unchanged
        Done,
    };

    /// The lists read from their files in `libraryDir` ("tags.dat", "fillers.dat",
    /// "library.dat"); a missing file gives an empty list. Tags are on show, not being edited.
    explicit TagListSession(const QString& libraryDir);

    const TagList& list(Kind kind) const { return entry(kind).list; }
    /// The file a list is read from and written to.
    const QString& file(Kind kind) const { return entry(kind).file; }

    /// The list on show.
    Kind selected() const { return m_selected; }
    void select(Kind kind) { m_selected = kind; }
    bool editing() const { return m_editing; }
    void setEditing(bool on) { m_editing = on; }

    /// Stores text the user typed into a row; line breaks become spaces, as a list file holds one
    /// entry a line and a break would split it and move every later row. Returns the text stored.
    /// Nothing is written.
    QString setText(Kind kind, int row, const QString& text);
    /// Moves the row at `from` to `to`, the rows between moving one towards `from`. Nothing is
    /// written.
    void moveRow(Kind kind, int from, int to);

    /// Save Edits: writes the list on show (Failed when it cannot; the user keeps editing).
    Change save(QString& message);
    /// Insert Row at `row` of the list on show, while editing: an empty row goes in there and
    /// the file is written at once; the list changes only when the file took the change.
    Change insertRow(int row, QString& message);
    /// Delete Row at `row` of the list on show, while editing. A Library row goes from the index
    /// file at once (its item file stays) and only when the file took it; Tags and Fillers wait
    /// for Save Edits.
    Change deleteRow(int row, QString& message);
    /// New Item at `row` of the Library, while editing it: the row must be empty (Refused with a
    /// message otherwise); the index is written first, so that the new item's line goes into the
    /// file as the user sees it. Done: the item may be made.
    Change newItemAt(int row, QString& message);

    /// Whether text typed into `row` of a list is refused: while editing, a Library row without
    /// an item takes no typing (new entries come from New Item).
    bool refusesTyping(Kind kind, int row) const;

    /// The file of the Library item at `row`, or empty when the row names none. Items are files
    /// of the library folder: a name that leads elsewhere, or names no file, is no item.
    QString itemFile(int row) const;

private:
    struct Entry {
        TagList list;
        QString file;
    };
    const Entry& entry(Kind kind) const { return m_entries.at(static_cast<size_t>(kind)); }
    Entry& entry(Kind kind) { return m_entries.at(static_cast<size_t>(kind)); }
    /// Writes `list` to the file of the list on show; false with `message`.
    bool write(const TagList& list, QString& message) const;

    QString m_libraryDir;
    std::vector<Entry> m_entries;
    Kind m_selected = Kind::Tags;
    bool m_editing = false;
};

} // namespace vellum
