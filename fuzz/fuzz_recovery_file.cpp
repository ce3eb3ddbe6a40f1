// Any bytes as a recovery file: reading never fails but by giving nothing, and what it reads is
// written and read back the same. The bytes are read twice: as they are, and with the checksum line
// a writer would have put in, so that the header's fields are reached past the checksum.
#include "core/app/recovery_file.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cstdint>
#include <cstdlib>

namespace {

// The bytes up to their first empty line as the header, with its checksum line added as the
// header's last, then the rest as the body. The magic line comes first when the input is odd-sized,
// so that both a header of the right kind and one of any kind are explored.
QByteArray withChecksum(const QByteArray& bytes) {
    const qsizetype end = bytes.indexOf("\n\n");
    QByteArray header = end < 0 ? bytes + '\n' : bytes.left(end + 1);
    const QByteArray body = end < 0 ? QByteArray() : bytes.mid(end + 2);
    if (bytes.size() % 2 == 1)
        header.prepend("VellumHTML recovery 1\n");
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(header);
    hash.addData(body);
    return header + "check=" + hash.result().toHex() + "\n\n" + body;
}

void readBack(const QByteArray& bytes) {
    const std::optional<vellum::RecoveryRecord> record = vellum::decodeRecovery(bytes);
    if (!record)
        return;
    const std::optional<vellum::RecoveryRecord> again =
        vellum::decodeRecovery(vellum::encodeRecovery(*record));
    if (!again || again->name != record->name || again->untitled != record->untitled ||
        again->text != record->text || again->format.encoding != record->format.encoding ||
        again->format.charset != record->format.charset ||
        again->format.lineBreak != record->format.lineBreak || again->stamp != record->stamp)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    readBack(bytes);
    readBack(withChecksum(bytes));
    return 0;
}
