#include "core/app/recovery_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

constexpr char Magic[] = "VellumHTML recovery 1";
constexpr char CheckKey[] = "check=";

// The checksum tells a complete file from a damaged one; it is no protection against anyone.
QByteArray checksum(const QByteArray& header, const QByteArray& body) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(header);
    hash.addData(body);
    return hash.result().toHex();
}

QByteArray encodingKey(FileFormat::Encoding encoding) {
    switch (encoding) {
    case FileFormat::Encoding::Utf8:
        break;
    case FileFormat::Encoding::Windows1252:
        return "windows-1252";
    case FileFormat::Encoding::Declared:
        return "declared";
    }
    return "utf-8";
}

std::optional<FileFormat::Encoding> encodingOf(const QByteArray& key) {
    for (const auto encoding : {FileFormat::Encoding::Utf8, FileFormat::Encoding::Windows1252,
                                FileFormat::Encoding::Declared}) {
        if (encodingKey(encoding) == key)
            return encoding;
    }
    return std::nullopt;
}

QByteArray breakKey(const QString& lineBreak) {
    if (lineBreak == QLatin1String("\r\n"))
        return "crlf";
    return lineBreak == QLatin1String("\r") ? "cr" : "lf";
}

std::optional<QString> breakOf(const QByteArray& key) {
    if (key == "crlf")
        return QStringLiteral("\r\n");
    if (key == "lf")
        return QStringLiteral("\n");
    if (key == "cr")
        return QStringLiteral("\r");
    return std::nullopt;
}

QByteArray stampText(const DiskStamp& stamp) {
    if (!stamp.known)
        return "unknown";
    return QByteArray::number(stamp.device) + ',' + QByteArray::number(stamp.inode) + ',' +
           QByteArray::number(stamp.size) + ',' + QByteArray::number(stamp.modifiedNs) + ',' +
           QByteArray::number(stamp.hash);
}

std::optional<DiskStamp> stampOf(const QByteArray& text) {
    DiskStamp stamp;
    if (text == "unknown")
        return stamp;
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() != 5)
        return std::nullopt;
    bool ok[5] = {};
    stamp.device = parts[0].toULongLong(&ok[0]);
    stamp.inode = parts[1].toULongLong(&ok[1]);
    stamp.size = parts[2].toLongLong(&ok[2]);
    stamp.modifiedNs = parts[3].toLongLong(&ok[3]);
    stamp.hash = parts[4].toULongLong(&ok[4]);
    for (const bool each : ok) {
        if (!each)
            return std::nullopt;
    }
    stamp.known = true;
    return stamp;
}

// The header's values, read in any order; each must appear once.
struct HeaderFields {
    std::optional<QString> name, lineBreak;
    std::optional<bool> untitled, bom;
    std::optional<FileFormat::Encoding> encoding;
    std::optional<QByteArray> charset;
    std::optional<DiskStamp> stamp;
    std::optional<qint64> written, length;
};

std::optional<bool> flagOf(const QByteArray& value) {
    if (value == "0" || value == "1")
        return value == "1";
    return std::nullopt;
}

std::optional<qint64> numberOf(const QByteArray& value) {
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    return ok && number >= 0 ? std::optional<qint64>(number) : std::nullopt;
}

// Stores one "key=value" line; false for a key seen twice or a value that cannot be read.
// Keys this version does not know are passed over, so that a later one may add some.
bool readField(HeaderFields& fields, const QByteArray& line) {
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return false;
    const QByteArray key = line.left(equals);
    const QByteArray value = line.mid(equals + 1);
    const auto store = [](auto& field, auto parsed) {
        if (field || !parsed)
            return false;
        field = parsed;
        return true;
    };
    if (key == "name")
        return store(fields.name, std::optional<QString>(
                                      QString::fromUtf8(QByteArray::fromPercentEncoding(value))));
    if (key == "untitled")
        return store(fields.untitled, flagOf(value));
    if (key == "encoding")
        return store(fields.encoding, encodingOf(value));
    if (key == "charset")
        return store(fields.charset,
                     std::optional<QByteArray>(QByteArray::fromPercentEncoding(value)));
    if (key == "bom")
        return store(fields.bom, flagOf(value));
    if (key == "break")
        return store(fields.lineBreak, breakOf(value));
    if (key == "stamp")
        return store(fields.stamp, stampOf(value));
    if (key == "written")
        return store(fields.written, numberOf(value));
    if (key == "length")
        return store(fields.length, numberOf(value));
    return true;
}

} // namespace

QByteArray encodeRecovery(const RecoveryRecord& record) {
    const QByteArray body = record.text.toUtf8();
    QByteArray header = QByteArray(Magic) + '\n';
    const auto field = [&header](const char* key, const QByteArray& value) {
        header += key;
        header += '=';
        header += value;
        header += '\n';
    };
    field("name", record.name.toUtf8().toPercentEncoding());
    field("untitled", record.untitled ? "1" : "0");
    field("encoding", encodingKey(record.format.encoding));
    field("charset", record.format.charset.toPercentEncoding());
    field("bom", record.format.bom ? "1" : "0");
    field("break", breakKey(record.format.lineBreak));
    field("stamp", stampText(record.stamp));
    field("written", QByteArray::number(record.written.toMSecsSinceEpoch()));
    field("length", QByteArray::number(body.size()));
    return header + CheckKey + checksum(header, body) + "\n\n" + body;
}

std::optional<RecoveryRecord> decodeRecovery(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\n\n");
    if (end < 0)
        return std::nullopt;
    // The checksum line is the header's last; it covers the lines before it and the body.
    const qsizetype checkAt = bytes.lastIndexOf(QByteArray("\n") + CheckKey, end) + 1;
    if (checkAt <= 0)
        return std::nullopt;
    const QByteArray header = bytes.left(checkAt);
    const QByteArray body = bytes.mid(end + 2);
    const QByteArray check = bytes.mid(checkAt, end - checkAt).mid(qsizetype(sizeof CheckKey) - 1);
    if (check != checksum(header, body))
        return std::nullopt;

    QList<QByteArray> lines = header.split('\n');
    lines.removeLast(); // after the last line's break
    if (lines.isEmpty() || lines.takeFirst() != Magic)
        return std::nullopt;
    HeaderFields fields;
    for (const QByteArray& line : lines) {
        if (!readField(fields, line))
            return std::nullopt;
    }
    if (!fields.name || !fields.untitled || !fields.encoding || !fields.charset || !fields.bom ||
        !fields.lineBreak || !fields.stamp || !fields.written || !fields.length ||
        *fields.length != body.size())
        return std::nullopt;

    RecoveryRecord record;
    record.name = *fields.name;
    record.untitled = *fields.untitled;
    record.format.encoding = *fields.encoding;
    record.format.charset = *fields.charset;
    record.format.bom = *fields.bom;
    record.format.lineBreak = *fields.lineBreak;
    record.stamp = *fields.stamp;
    record.written = QDateTime::fromMSecsSinceEpoch(*fields.written, Qt::UTC);
    record.text = QString::fromUtf8(body);
    return record;
}

bool writeRecoveryFile(const QString& path, const RecoveryRecord& record, QString& error) {
    // The user's unsaved text: for the user's eyes only, and never a torn copy, even after a
    // system crash.
    return replaceFileNoFollow(path, encodeRecovery(record), error, {true, true});
}

std::optional<RecoveryRecord> readRecoveryFile(const QString& path) {
    // Opened without following a link, and read only when it is a plain file: a recovery folder
    // may hold what someone else planted, such as a link to a device or to another user's file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    return decodeRecovery(file.readAll());
}

} // namespace vellum
