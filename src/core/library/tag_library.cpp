#include "core/library/tag_library.h"

#include "core/foundation/atomic_file.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vellum {

namespace {

const QString Separator = QStringLiteral("..");
constexpr char Libs[] = "libs";

QString cannotCreate(const QString& path) {
    return QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path));
}

} // namespace

TagPair splitTagEntry(const QString& entry) {
    const int at = static_cast<int>(entry.indexOf(Separator));
    if (at < 0)
        return {entry, QString()};
    return {entry.left(at), entry.mid(at + Separator.size())};
}

LibraryRow splitLibraryLine(const QString& line) {
    const int at = static_cast<int>(line.indexOf(Separator));
    if (at < 0)
        return {QString(), line.left(MaxDescriptionLength)};
    return {line.left(at), line.mid(at + Separator.size()).left(MaxDescriptionLength)};
}

QStringList textLines(const QByteArray& bytes, FileFormat* format) {
    // Read as documents are: UTF-8, or Windows-1252 for a file written by hand elsewhere.
    FileFormat read;
    QStringList lines = decodeDocument(bytes, read).split(QStringLiteral("\r\n"));
    if (format)
        *format = read;
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readLines(const QString& path, FileFormat* format) {
    QFile file(path);
    if (format)
        *format = FileFormat{};
    return file.open(QIODevice::ReadOnly) ? textLines(file.readAll(), format) : QStringList();
}

bool writeLines(const QString& path, const QStringList& lines, QString& error,
                const FileFormat& format) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    FileFormat stored = format;
    stored.lineBreak = QStringLiteral("\r\n");
    QString why;
    if (saveDocumentFile(path, encodeDocument(text, stored), why))
        return true;
    error = cannotCreate(path);
    return false;
}

TagList::TagList(Kind kind, int rows)
    : m_kind(kind), m_rows(static_cast<size_t>(std::max(1, rows)) + 1) {}

TagList TagList::read(Kind kind, const QString& path) {
    FileFormat format;
    TagList list = fromLines(kind, readLines(path, &format));
    list.m_format = format;
    return list;
}

TagList TagList::fromLines(Kind kind, const QStringList& lines) {
    // Empty lines at the end are the empty rows the list was saved with: counted as lines in use,
    // they would give the list more rows to spare at every reading and the file more lines at
    // every saving.
    int count = static_cast<int>(lines.size());
    while (count > 0 && (kind == Kind::Library ? splitLibraryLine(lines[count - 1]) == LibraryRow{}
                                               : lines[count - 1].isEmpty()))
        --count;
    TagList list(kind, count + SpareRows > MinimumRows ? count + SpareRows : MinimumRows);
    for (int k = 0; k < count; ++k) {
        if (kind == Kind::Library)
            list.setRow(k, splitLibraryLine(lines[k]));
        else
            list.setText(k, lines[k]);
    }
    return list;
}

void TagList::setRow(int index, const LibraryRow& row) {
    if (index >= 0 && index <= rows())
        m_rows[static_cast<size_t>(index)] = row;
}

void TagList::setText(int index, const QString& text) {
    if (index >= 0 && index <= rows())
        m_rows[static_cast<size_t>(index)].description = text;
}

void TagList::insertRow(int index) {
    if (index < 0 || index > rows())
        return;
    // The spare position's entry would be pushed out of the list: the list grows instead, and the
    // spare position becomes a row that is shown.
    if (!(m_rows.back() == LibraryRow{}))
        m_rows.resize(m_rows.size() + SpareRows);
    for (int j = rows(); j > index; --j)
        m_rows[static_cast<size_t>(j)] = m_rows[static_cast<size_t>(j - 1)];
    m_rows[static_cast<size_t>(index)] = LibraryRow{};
}

void TagList::deleteRow(int index) {
    if (index < 0 || index > rows())
        return;
    for (int j = index; j < rows(); ++j)
        m_rows[static_cast<size_t>(j)] = m_rows[static_cast<size_t>(j + 1)];
    m_rows.back() = LibraryRow{};
}

QStringList TagList::lines() const {
    QStringList out;
    for (const LibraryRow& row : m_rows)
        out << (m_kind == Kind::Library ? row.name + Separator + row.description : row.description);
    return out;
}

bool TagList::write(const QString& path, QString& error) const {
    return writeLines(path, lines(), error, m_format);
}

QString createLibraryItem(SettingsFile& settings, const QString& libraryDir, const QString& text,
                          const QString& description, int row, QString& error) {
    // The counter may be behind the items already made (a settings file put back, or another
    // copy of the program making items too): the name is claimed by creating the file only where
    // nothing has that name yet, so an item is never written over.
    int n = settings.readInt(keys::Vellum::Section, Libs, 0);
    QString name;
    QString itemPath;
    for (;; ++n) {
        name = QString::number(n);
        itemPath = QDir(libraryDir).filePath(name);
        QFile claim(itemPath);
        if (claim.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        const QFileInfo there(itemPath);
        if (!there.exists() && !there.isSymLink()) {
            error = cannotCreate(itemPath);
            return {};
        }
    }
    QString why;
    if (!saveDocumentFile(itemPath, text.toUtf8(), why)) {
        QFile::remove(itemPath);
        error = cannotCreate(itemPath);
        return {};
    }
    // The counter moves on first: a number is never given twice, even when a later step fails.
    try {
        settings.writeInt(keys::Vellum::Section, Libs, n + 1);
    } catch (...) {
        QFile::remove(itemPath);
        throw;
    }
    const QString index = QDir(libraryDir).filePath(QStringLiteral("library.dat"));
    if (QFileInfo::exists(index)) {
        FileFormat format;
        QStringList lines = readLines(index, &format);
        lines.insert(std::clamp(row, 0, static_cast<int>(lines.size())),
                     name + Separator + description);
        if (!writeLines(index, lines, error, format)) {
            QFile::remove(itemPath);
            return {};
        }
    }
    return name;
}

} // namespace vellum
