#include "core/foundation/ini_document.h"

#include <QRegularExpression>

namespace vellum {

namespace {

bool isQuoted(const QString& text) {
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

// A line break inside a name or value would split the line and let the text forge other
// entries, so breaks become spaces.
QString flattened(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

// Readers trim the blanks round a value and drop one pair of enclosing quotes, as the
// private-profile format does; so a value that would lose blanks or quotes that way is written
// inside quotes, and every value reads back exactly as it was written.
QString encodeValue(const QString& value) {
    QString flat = flattened(value);
    if (flat != flat.trimmed() || isQuoted(flat))
        return QLatin1Char('"') + flat + QLatin1Char('"');
    return flat;
}

QString decodeValue(const QString& stored) {
    QString value = stored.trimmed();
    if (isQuoted(value))
        value = value.mid(1, value.size() - 2);
    return value;
}

// Keys may be file paths (the tab bookkeeping keys documents by path), and a path may hold "=",
// which would end the key early; "%" is escaped too so that decoding is unambiguous.
QString percentEncoded(QChar c) {
    QString out;
    for (const char byte : QString(c).toUtf8())
        out += QStringLiteral("%%1")
                   .arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'))
                   .toUpper();
    return out;
}

QString encodeKey(const QString& key) {
    QString out = flattened(key);
    out.replace(QLatin1Char('%'), QLatin1String("%25"));
    out.replace(QLatin1Char('='), QLatin1String("%3D"));
    // Blanks round a key are trimmed when it is read, so those of a key (a path may end in a
    // space) are written escaped.
    int lead = 0;
    while (lead < out.size() && out.at(lead).isSpace())
        ++lead;
    int trail = out.size();
    while (trail > lead && out.at(trail - 1).isSpace())
        --trail;
    QString escaped;
    for (int i = 0; i < out.size(); ++i)
        escaped += (i < lead || i >= trail) ? percentEncoded(out.at(i)) : QString(out.at(i));
    // A key must not read back as a comment or a section header.
    if (escaped.startsWith(QLatin1Char(';')) || escaped.startsWith(QLatin1Char('[')))
        escaped.replace(0, 1, percentEncoded(escaped.at(0)));
    return escaped;
}

// Every "%" the program writes starts an escape, so decoding them all is unambiguous.
QString decodeKey(const QString& stored) {
    const QString out = stored.trimmed();
    if (!out.contains(QLatin1Char('%')))
        return out;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(out.toUtf8()));
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument::Line IniDocument::parseLine(const QString& raw) {
    Line line;
    line.raw = raw;
    const QString trimmed = raw.trimmed();
    if (trimmed.startsWith(QLatin1Char('['))) {
        const int close = trimmed.indexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = Kind::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
        }
        return line;
    }
    if (trimmed.startsWith(QLatin1Char(';')))
        return line;
    const int eq = raw.indexOf(QLatin1Char('='));
    if (eq < 0)
        return line;
    line.kind = Kind::Entry;
    line.name = decodeKey(raw.left(eq));
    line.value = decodeValue(raw.mid(eq + 1));
    return line;
}

IniDocument::Line IniDocument::makeEntry(const QString& key, const QString& value) {
    Line line;
    line.kind = Kind::Entry;
    line.name = decodeKey(encodeKey(key));
    line.raw = encodeKey(key) + QLatin1Char('=') + encodeValue(value);
    line.value = decodeValue(encodeValue(value));
    return line;
}

IniDocument IniDocument::parse(const QString& text) {
    IniDocument doc;
    const int firstBreak = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (firstBreak >= 0) {
        if (text.at(firstBreak) == QLatin1Char('\r'))
            doc.m_lineBreak =
                (firstBreak + 1 < text.size() && text.at(firstBreak + 1) == QLatin1Char('\n'))
                    ? QStringLiteral("\r\n")
                    : QStringLiteral("\r");
    }
    int start = 0;
    const int n = text.size();
    while (start < n) {
        int end = start;
        while (end < n && text.at(end) != QLatin1Char('\r') && text.at(end) != QLatin1Char('\n'))
            ++end;
        doc.m_lines.push_back(parseLine(text.mid(start, end - start)));
        if (end < n && text.at(end) == QLatin1Char('\r') && end + 1 < n &&
            text.at(end + 1) == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    doc.m_endsWithBreak =
        n == 0 || text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r'));
    return doc;
}

QString IniDocument::serialize() const {
    QString out;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        out += m_lines[i].raw;
        if (i + 1 < m_lines.size() || m_endsWithBreak)
            out += m_lineBreak;
    }
    return out;
}

int IniDocument::findSection(const QString& section, int from) const {
    for (int i = from; i < static_cast<int>(m_lines.size()); ++i) {
        if (m_lines[i].kind == Kind::Section && sameName(m_lines[i].name, section))
            return i;
    }
    return -1;
}

int IniDocument::sectionEnd(int header) const {
    int i = header + 1;
    while (i < static_cast<int>(m_lines.size()) && m_lines[i].kind != Kind::Section)
        ++i;
    return i;
}

int IniDocument::findEntry(int header, const QString& key) const {
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == Kind::Entry && sameName(m_lines[i].name, key))
            return i;
    }
    return -1;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const int header = findSection(flattened(section).trimmed());
    if (header < 0)
        return std::nullopt;
    const int entry = findEntry(header, decodeKey(encodeKey(key)));
    if (entry < 0)
        return std::nullopt;
    return m_lines[entry].value;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const QString sectionName = flattened(section).trimmed();
    Line entry = makeEntry(key, value);
    int header = findSection(sectionName);
    if (header < 0) {
        if (!m_lines.empty() && !m_lines.back().raw.trimmed().isEmpty()) {
            m_lines.push_back(Line{});
        }
        Line head;
        head.kind = Kind::Section;
        head.name = sectionName;
        head.raw = QLatin1Char('[') + sectionName + QLatin1Char(']');
        m_lines.push_back(head);
        m_lines.push_back(entry);
        m_endsWithBreak = true;
        return true;
    }
    const int existing = findEntry(header, entry.name);
    if (existing >= 0) {
        Line& line = m_lines[existing];
        // Keep the key as the file spells it; only the value changes.
        const QString newRaw = line.raw.left(line.raw.indexOf(QLatin1Char('='))).trimmed() +
                               QLatin1Char('=') + encodeValue(value);
        if (newRaw == line.raw)
            return false;
        line.raw = newRaw;
        line.value = entry.value;
        return true;
    }
    // After the section's last non-blank line, so a blank separator before the next section stays.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && m_lines[insertAt - 1].raw.trimmed().isEmpty())
        --insertAt;
    m_lines.insert(m_lines.begin() + insertAt, entry);
    if (insertAt == static_cast<int>(m_lines.size()) - 1)
        m_endsWithBreak = true;
    return true;
}

bool IniDocument::eraseSection(const QString& section) {
    const QString sectionName = flattened(section).trimmed();
    bool erased = false;
    for (int header = findSection(sectionName); header >= 0;
         header = findSection(sectionName, header)) {
        m_lines.erase(m_lines.begin() + header, m_lines.begin() + sectionEnd(header));
        erased = true;
    }
    return erased;
}

QStringList IniDocument::sections() const {
    QStringList names;
    for (const Line& line : m_lines) {
        if (line.kind == Kind::Section)
            names << line.name;
    }
    return names;
}

} // namespace vellum
