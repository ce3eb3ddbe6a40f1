#pragma once

#include <QString>
#include <stdexcept>
#include <vector>

namespace vellum {

/// Raised when the system refuses a settings write. The text names the settings file;
/// the file is left exactly as it was.
class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

/// One key to write.
struct SettingsWrite {
    QString section;
    QString key;
    QString value;
};

/// The one settings file every window keeps its state in. Nothing is cached: each call opens the
/// file by name, reads or writes the keys it needs and drops it, so a write is seen by the next
/// read anywhere, in this instance or another one sharing the file.
///
/// Writes are read-modify-write cycles under a lock file, replacing the file atomically, so several
/// instances writing different keys lose nothing and a crash never leaves a half-written file.
class SettingsFile {
public:
    /// Values longer than this are cut when read.
    static constexpr int MaxValueLength = 1023;

    explicit SettingsFile(QString path);

    const QString& path() const { return m_path; }

    /// The stored value (cut to 1023 characters), or `fallback` when the file, section or key is
    /// missing. A key written empty reads back empty.
    QString readText(const QString& section, const QString& key,
                     const QString& fallback = {}) const;

    /// The stored value as an integer: a value longer than two characters starting with "0x" or
    /// "0X" is hexadecimal, anything else signed decimal; a missing or non-numeric value (or one
    /// out of the 32-bit range) gives `fallback`.
    int readInt(const QString& section, const QString& key, int fallback) const;

    /// Stores a value; an empty value leaves `key=` in the file. The first write creates the file.
    /// Throws SettingsError when the system refuses the write.
    void writeText(const QString& section, const QString& key, const QString& value);

    /// Stores the decimal text of a value (a leading minus when negative).
    void writeInt(const QString& section, const QString& key, int value);

    /// Stores several keys in one rewrite of the file, in order, as writeText would one by one.
    void writeTexts(const std::vector<SettingsWrite>& writes);

    /// Removes the section with all its keys (nothing happens when it is missing).
    void eraseSection(const QString& section);

private:
    template <typename Edit> void modify(Edit edit);
    QString readAll() const;

    QString m_path;
};

/// The integer reading rule on its own: hexadecimal after "0x"/"0X" when longer than two
/// characters, else signed decimal; `fallback` when the text is not a number.
int parseSettingsInt(const QString& text, int fallback);

} // namespace vellum
