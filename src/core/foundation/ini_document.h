#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vellum {

/// An INI ("private profile") text held line by line, so that rewriting it keeps every line it
/// does not touch: unknown sections and keys, comments, blank lines and their order.
/// Section and key names match without regard to letter case; the first matching section and,
/// inside it, the first matching key win.
class IniDocument {
public:
    /// Parses the text of an INI file. Accepts CR LF, LF or CR line breaks; the first break found
    /// is the one used when the text is written back (LF for a text without breaks).
    static IniDocument parse(const QString& text);

    /// The text to store, with the line-break convention of the parsed text.
    QString serialize() const;

    /// The stored value of a key, or nothing when the section or key is missing.
    /// The value is returned whole; length limits belong to the caller.
    std::optional<QString> value(const QString& section, const QString& key) const;

    /// Sets a key, adding the key at the end of its section, or the section at the end of the
    /// text, when missing. Returns false when the stored text already says exactly this.
    bool setValue(const QString& section, const QString& key, const QString& value);

    /// Removes every section of that name with all its lines. Returns false when there was none.
    bool eraseSection(const QString& section);

    /// Section names in file order (as spelled in the file).
    QStringList sections() const;

private:
    enum class Kind { Section, Entry, Other };
    struct Line {
        Kind kind = Kind::Other;
        QString name;  // section name, or decoded key
        QString value; // entry value (decoded)
        QString raw;   // the line as stored
    };

    int findSection(const QString& section, int from = 0) const;
    int sectionEnd(int header) const;
    int findEntry(int header, const QString& key) const;
    static Line parseLine(const QString& raw);
    static Line makeEntry(const QString& key, const QString& value);

    std::vector<Line> m_lines;
    QString m_lineBreak = QStringLiteral("\n");
    bool m_endsWithBreak = true;
};

} // namespace vellum
