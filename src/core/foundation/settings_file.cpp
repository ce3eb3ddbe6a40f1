#include "core/foundation/settings_file.h"

#include "core/foundation/ini_document.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>

namespace vellum {

namespace {

constexpr char Utf8Bom[] = "\xEF\xBB\xBF";

// A lock older than this belongs to a writer that died: a settings write takes milliseconds.
constexpr int StaleLockMs = 10000;
constexpr int LockWaitMs = 15000;

QString decode(const QByteArray& bytes, bool* hadBom = nullptr, bool* wasLatin1 = nullptr) {
    const bool bom = bytes.startsWith(Utf8Bom);
    if (hadBom)
        *hadBom = bom;
    if (wasLatin1)
        *wasLatin1 = false;
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    // A file edited by hand in a legacy code page is still readable.
    if (wasLatin1)
        *wasLatin1 = true;
    QStringDecoder latin(QStringDecoder::Latin1);
    return latin.decode(body);
}

// A file read as Latin-1 is written back as Latin-1 while every character fits, so the lines the
// write does not touch keep their bytes; otherwise the whole file becomes UTF-8.
QByteArray encode(const QString& text, bool asLatin1) {
    const bool fits =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    return asLatin1 && fits ? text.toLatin1() : text.toUtf8();
}

} // namespace

SettingsError::SettingsError(const QString& message) : std::runtime_error(message.toStdString()) {}

SettingsFile::SettingsFile(QString path) : m_path(std::move(path)) {}

QString SettingsFile::readAll() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decode(file.readAll());
}

QString SettingsFile::readText(const QString& section, const QString& key,
                               const QString& fallback) const {
    const std::optional<QString> stored = IniDocument::parse(readAll()).value(section, key);
    if (!stored)
        return fallback;
    return stored->left(MaxValueLength);
}

int parseSettingsInt(const QString& text, int fallback) {
    const QString value = text.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (value.size() > 2 &&
        (value.startsWith(QLatin1String("0x")) || value.startsWith(QLatin1String("0X")))) {
        const QString digits = value.mid(2);
        // Eight hex digits are a 32-bit pattern; larger values do not fit.
        if (digits.size() <= 8) {
            number = static_cast<qint64>(digits.toUInt(&ok, 16));
            if (ok && number > 0x7FFFFFFF)
                number -= 0x100000000LL;
        }
    } else {
        number = value.toLongLong(&ok, 10);
        if (ok && (number < INT32_MIN || number > INT32_MAX))
            ok = false;
    }
    return ok ? static_cast<int>(number) : fallback;
}

int SettingsFile::readInt(const QString& section, const QString& key, int fallback) const {
    const std::optional<QString> stored = IniDocument::parse(readAll()).value(section, key);
    if (!stored)
        return fallback;
    return parseSettingsInt(stored->left(MaxValueLength), fallback);
}

template <typename Edit> void SettingsFile::modify(Edit edit) {
    const auto refuse = [this](const QString& why) {
        throw SettingsError(
            QStringLiteral("Cannot write the settings file %1: %2").arg(m_path, why));
    };

    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        refuse(lock.error() == QLockFile::PermissionError
                   ? QStringLiteral("permission denied")
                   : QStringLiteral("it is locked by another program"));
    }

    QByteArray oldBytes;
    QFile existing(m_path);
    const bool exists = existing.exists();
    if (exists) {
        if (!existing.open(QIODevice::ReadOnly))
            refuse(existing.errorString());
        oldBytes = existing.readAll();
        existing.close();
        // The file's read-only mark is honoured even for a user the system would let through.
        // WriteUser is left out: it reports what the system allows (always yes for root), not
        // the file's mode.
        const QFileDevice::Permissions writeBits =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if (!(existing.permissions() & writeBits))
            refuse(QStringLiteral("the file is read-only"));
    }

    bool hadBom = false;
    bool wasLatin1 = false;
    IniDocument doc = IniDocument::parse(decode(oldBytes, &hadBom, &wasLatin1));
    if (!edit(doc) && exists)
        return;

    QByteArray bytes = encode(doc.serialize(), wasLatin1);
    if (hadBom)
        bytes.prepend(Utf8Bom);

    QSaveFile out(m_path);
    if (!out.open(QIODevice::WriteOnly))
        refuse(out.errorString());
    // QSaveFile::commit() alone can miss a short write; every write is checked here.
    if (out.write(bytes) != bytes.size() || !out.flush() || out.error() != QFileDevice::NoError) {
        // A short write leaves the device without a reason of its own; the system gave one.
        const int cause = errno;
        const QString why = cause != 0 ? qt_error_string(cause) : out.errorString();
        out.cancelWriting();
        refuse(why);
    }
    if (!out.commit())
        refuse(out.errorString());
}

void SettingsFile::writeText(const QString& section, const QString& key, const QString& value) {
    modify([&](IniDocument& doc) { return doc.setValue(section, key, value); });
}

void SettingsFile::writeTexts(const std::vector<SettingsWrite>& writes) {
    if (writes.empty())
        return;
    modify([&](IniDocument& doc) {
        bool changed = false;
        for (const SettingsWrite& write : writes)
            changed = doc.setValue(write.section, write.key, write.value) || changed;
        return changed;
    });
}

void SettingsFile::writeInt(const QString& section, const QString& key, int value) {
    writeText(section, key, QString::number(value));
}

void SettingsFile::eraseSection(const QString& section) {
    if (!QFileInfo::exists(m_path))
        return;
    modify([&](IniDocument& doc) { return doc.eraseSection(section); });
}

} // namespace vellum
