#pragma once

#include "core/foundation/text_codec.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace vellum {

class SettingsFile;

/// An opening and a closing tag.
struct TagPair {
    QString open;
    QString close;
};

/// A Tags entry split at its first "..": the opening tag before it, the closing tag after it (a
/// later ".." stays in the closing tag). An entry without ".." is an opening tag alone.
TagPair splitTagEntry(const QString& entry);

/// One row of the Library list: the item's file name in the library folder and its description.
struct LibraryRow {
    QString name;
    QString description;
    bool operator==(const LibraryRow& other) const {
        return name == other.name && description == other.description;
    }
};

/// Descriptions longer than this are cut when the index is read.
inline constexpr int MaxDescriptionLength = 255;

/// A line of the library index split at its first "..": the item name before it, the description
/// (cut to 255 characters) after it. A line without ".." is a description without an item.
LibraryRow splitLibraryLine(const QString& line);

/// One of the three lists of the tag library, as the User Tags helper shows it: a fixed number of
/// rows plus one spare position past the last row, which the row operations and the file treat
/// as a row. For Tags and Fillers only the text is used; Library rows carry an item name too.
class TagList {
public:
    enum class Kind { Tags, Fillers, Library };

    /// Rows shown when the file holds fewer lines; a longer file gets rows for every line up to
    /// its last non-empty one and some to spare, so that reading and saving never drops a line
    /// and never adds one.
    static constexpr int MinimumRows = 100;
    static constexpr int SpareRows = 10;

    /// An empty list of `rows` rows (and the spare position).
    TagList(Kind kind, int rows = MinimumRows);

    /// The list read from its file; a missing file gives an empty list. Lines end in CR LF or LF.
    /// The list keeps the encoding the file was read in, and is written back in it.
    static TagList read(Kind kind, const QString& path);
    /// The list made of a file's lines: line k goes to row k.
    static TagList fromLines(Kind kind, const QStringList& lines);

    Kind kind() const { return m_kind; }
    /// The number of rows R; the spare position is row R.
    int rows() const { return static_cast<int>(m_rows.size()) - 1; }
    const LibraryRow& row(int index) const { return m_rows.at(static_cast<size_t>(index)); }
    /// The text shown for a row: the entry, or the Library item's description.
    const QString& text(int index) const { return row(index).description; }
    void setRow(int index, const LibraryRow& row);
    void setText(int index, const QString& text);

    /// Empties row `index` and moves it and every row below it one down; the last row moves into
    /// the spare position. When the spare position already holds an entry the list first grows by
    /// SpareRows rows, the spare position becoming one of them, so no entry is ever pushed out.
    void insertRow(int index);
    /// Moves every row below `index`, and the spare position, one up; the spare position ends
    /// empty.
    void deleteRow(int index);

    /// The file's lines: R + 1 of them, the spare position included. Library lines are the item
    /// name, "..", and the description.
    QStringList lines() const;
    /// Writes the list's file atomically, each line ending in CR LF, in the encoding it was read
    /// in (UTF-8 for a list not read from a file). Returns false with `error` set ("Cannot create
    /// file PATH") when the file cannot be written; the old file is then unchanged.
    bool write(const QString& path, QString& error) const;

private:
    Kind m_kind;
    FileFormat m_format;
    std::vector<LibraryRow> m_rows; // R rows and the spare position
};

/// Writes `lines`, each ended by CR LF, to `path` atomically, in the encoding of `format` (its
/// line break is not used; a line the encoding cannot hold makes the file UTF-8). False with
/// `error` set to "Cannot create file PATH" when it cannot be written (the old file is then
/// unchanged).
bool writeLines(const QString& path, const QStringList& lines, QString& error,
                const FileFormat& format = FileFormat{});

/// The lines of a text file (CR LF or LF breaks); empty when the file cannot be read. `format`,
/// when given, receives the encoding they were read in.
QStringList readLines(const QString& path, FileFormat* format = nullptr);
/// The lines of a file's bytes: UTF-8, or Windows-1252 when they are not valid UTF-8; CR LF, LF or
/// CR breaks. The break that ends the last line starts no line of its own. `format`, when given,
/// receives the encoding they were read in.
QStringList textLines(const QByteArray& bytes, FileFormat* format = nullptr);

/// Makes a new Library item of `text` with `description`: its file is named after the "libs"
/// counter, or the first number after it that names nothing in the folder yet (an existing file
/// is never written over), and the counter then stands one past that number; its index line goes
/// in at `row` (the later lines move down) when the index file exists, which keeps its encoding.
/// Returns the new item's name, or an empty text with `error`
/// set when a file cannot be written: no item file is left behind and the index is unchanged (the
/// counter may have moved on; numbers are never given twice). A refused settings write throws.
QString createLibraryItem(SettingsFile& settings, const QString& libraryDir, const QString& text,
                          const QString& description, int row, QString& error);

} // namespace vellum
