#include "core/library/tag_library.h"

#include "core/app/document_file.h"
#include "core/app/settings_file.h"
#include "core/app/settings_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace vellum {

namespace {

const QString Separator = QStringLiteral("..");
constexpr char Libs[] = "libs";

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

QStringList textLines(const QByteArray& bytes) {
    // Read as documents are: UTF-8, or Windows-1252 for a file written by hand elsewhere.
    FileFormat format;
    QStringList lines = decodeDocument(bytes, format).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readLines(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? textLines(file.readAll()) : QStringList();
}

bool writeLines(const QString& path, const QStringList& lines, QString& error) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    QString why;
    if (saveDocumentFile(path, text.toUtf8(), why))
        return true;
    error = QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path));
    return false;
}

TagList::TagList(Kind kind, int rows)
    : m_kind(kind), m_rows(static_cast<size_t>(std::max(1, rows)) + 1) {}

TagList TagList::read(Kind kind, const QString& path) {
    return fromLines(kind, readLines(path));
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
    return writeLines(path, lines(), error);
}

QString createLibraryItem(SettingsFile& settings, const QString& libraryDir, const QString& text,
                          const QString& description, int row, QString& error) {
    const int n = settings.readInt(keys::Vellum::Section, Libs, 0);
    const QString name = QString::number(n);
    const QString itemPath = QDir(libraryDir).filePath(name);
    QString why;
    if (!saveDocumentFile(itemPath, text.toUtf8(), why)) {
        error = QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(itemPath));
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
        QStringList lines = readLines(index);
        lines.insert(std::clamp(row, 0, static_cast<int>(lines.size())),
                     name + Separator + description);
        if (!writeLines(index, lines, error)) {
            QFile::remove(itemPath);
            return {};
        }
    }
    return name;
}

} // namespace vellum
