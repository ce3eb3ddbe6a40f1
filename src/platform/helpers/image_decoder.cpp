#include "platform/helpers/image_decoder.h"

#include <QFileInfo>
#include <QImageReader>

namespace vellum {

namespace {

void prepare(QImageReader& reader) {
    reader.setDecideFormatFromContent(true);
    // Four bytes a pixel: whatever a header declares, no decoder may take more than this.
    reader.setAllocationLimit(static_cast<int>(MaxDecodedPixels * 4 / (1024 * 1024)) + 1);
}

bool tooLarge(const QSize& size) {
    return size.isValid() && qint64(size.width()) * size.height() > MaxDecodedPixels;
}

} // namespace

QSize imageFileSize(const QString& path) {
    QImageReader reader(path);
    prepare(reader);
    if (!reader.canRead())
        return {};
    const QSize size = reader.size();
    if (size.isValid() && !size.isEmpty())
        return size;
    // A format that keeps its size out of reach of the header reader is decoded to learn it.
    const DecodedImage decoded = decodeImageFile(path);
    return decoded.image.isNull() ? QSize() : decoded.image.size();
}

DecodedImage decodeImageFile(const QString& path) {
    DecodedImage decoded;
    QImageReader reader(path);
    prepare(reader);
    const QSize size = reader.size();
    if (tooLarge(size)) {
        decoded.refusal = QStringLiteral("%1 is too large to preview (%2 x %3 pixels).")
                              .arg(QFileInfo(path).fileName())
                              .arg(size.width())
                              .arg(size.height());
        return decoded;
    }
    if (!reader.read(&decoded.image))
        decoded.image = QImage();
    return decoded;
}

} // namespace vellum
