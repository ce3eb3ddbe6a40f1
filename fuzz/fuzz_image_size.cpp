// Any bytes as an image file: measuring reads the header only and decoding stays within its
// bounds, whatever the bytes declare; neither may crash, and a picture that decodes can be
// measured. (A malformed GIF may declare one size in its header and decode to another, so the two
// sizes are not required to agree.)
#include "platform/helpers/image_decoder.h"

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QTemporaryDir* folder = nullptr;
QList<QByteArray> formats;

// The decoders live in Qt, without coverage instrumentation, so every input would look alike to
// the fuzzer and it would keep a single one. libFuzzer counts these counters as coverage: one per
// format the content was read as, and one per outcome, so that it keeps an input of each kind.
constexpr int OutcomeCounters = 8;
constexpr int FormatCounters = 56;
__attribute__((used, section("__libfuzzer_extra_counters")))
uint8_t kinds[FormatCounters + OutcomeCounters];

void countKind(const QString& path, const QSize& measured, const vellum::DecodedImage& decoded) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const qsizetype format = formats.indexOf(reader.format());
    if (format >= 0 && format < FormatCounters)
        kinds[format] = 1;
    uint8_t* outcome = kinds + FormatCounters;
    outcome[0] = measured.isValid();
    outcome[1] = !decoded.image.isNull();
    outcome[2] = !decoded.refusal.isEmpty();
    outcome[3] = !decoded.image.isNull() && decoded.image.size() != measured;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // The image plugins (GIF, JPEG) are loaded as in the program, which has its application object.
    static QCoreApplication app(*argc, *argv);
    // Every corrupt input makes the decoders warn; printing that would slow the run to a crawl.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QTemporaryDir dir;
    folder = &dir;
    formats = QImageReader::supportedImageFormats();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The name says GIF, but the content decides the format, as it does for the user's files.
    const QString path = folder->filePath(QStringLiteral("picture.gif"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    const QSize measured = vellum::imageFileSize(path);
    const vellum::DecodedImage decoded = vellum::decodeImageFile(path);
    if (!decoded.image.isNull()) {
        if (!measured.isValid())
            std::abort();
        if (qint64(decoded.image.width()) * decoded.image.height() > vellum::MaxDecodedPixels)
            std::abort();
    }
    if (!decoded.refusal.isEmpty() && !decoded.image.isNull())
        std::abort();
    countKind(path, measured, decoded);
    return 0;
}
