#include "core/library/tag_list_session.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace vellum {

TagListSession::TagListSession(const QString& libraryDir) : m_libraryDir(libraryDir) {
    const struct {
        Kind kind;
        const char* file;
    } lists[] = {
        {Kind::Tags, "tags.dat"}, {Kind::Fillers, "fillers.dat"}, {Kind::Library, "library.dat"}};
    for (const auto& l : lists) {
        const QString file = QDir(libraryDir).filePath(QString::fromLatin1(l.file));
        m_entries.push_back({TagList::read(l.kind, file), file});
    }
}

QString TagListSession::setText(Kind kind, int row, const QString& text) {
    QString stored = text;
    stored.replace(QRegularExpression(QStringLiteral("\r\n|\r|\n")), QStringLiteral(" "));
    entry(kind).list.setText(row, stored);
    return stored;
}

void TagListSession::moveRow(Kind kind, int from, int to) {
    TagList& list = entry(kind).list;
    const LibraryRow moved = list.row(from);
    const int step = from < to ? 1 : -1;
    for (int row = from; row != to; row += step)
        list.setRow(row, list.row(row + step));
    list.setRow(to, moved);
}

bool TagListSession::write(const TagList& list, QString& message) const {
    return list.write(file(m_selected), message);
}

TagListSession::Change TagListSession::save(QString& message) {
    return write(list(m_selected), message) ? Change::Done : Change::Failed;
}

TagListSession::Change TagListSession::insertRow(int row, QString& message) {
    if (!m_editing || row < 0)
        return Change::Ignored;
    TagList changed = list(m_selected);
    changed.insertRow(row);
    if (!write(changed, message))
        return Change::Failed;
    entry(m_selected).list = changed;
    return Change::Done;
}

TagListSession::Change TagListSession::deleteRow(int row, QString& message) {
    if (!m_editing || row < 0)
        return Change::Ignored;
    TagList changed = list(m_selected);
    changed.deleteRow(row);
    if (m_selected == Kind::Library && !write(changed, message))
        return Change::Failed;
    entry(m_selected).list = changed;
    return Change::Done;
}

TagListSession::Change TagListSession::newItemAt(int row, QString& message) {
    if (!m_editing || m_selected != Kind::Library || row < 0)
        return Change::Ignored;
    if (!list(Kind::Library).text(row).isEmpty()) {
        message = QStringLiteral("You must select an empty row before you can add a new item. ") +
                  QStringLiteral("Click OK and try again.");
        return Change::Refused;
    }
    return save(message);
}

bool TagListSession::refusesTyping(Kind kind, int row) const {
    return m_editing && kind == Kind::Library && row >= 0 &&
           list(Kind::Library).row(row).name.isEmpty();
}

QString TagListSession::itemFile(int row) const {
    const QString name = list(Kind::Library).row(row).name;
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return {};
    const QString path = QDir(m_libraryDir).filePath(name);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace vellum
