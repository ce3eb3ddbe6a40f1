#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vellum {

/// Pictures with more pixels than this are measured but never decoded: a small file can declare an
/// enormous picture, and decoding it would take gigabytes.
inline constexpr qint64 MaxDecodedPixels = 100'000'000;

/// The pixel size an image file declares, read from its header without decoding the picture.
/// Invalid when the file cannot be read as an image.
QSize imageFileSize(const QString& path);

/// A decoded picture.
struct DecodedImage {
    QImage image;    ///< null when the file could not be decoded
    QString refusal; ///< why a picture that may be valid was not decoded (too large)
};

/// Decodes an image file (GIF, JPEG, PNG and what else the image plugins read; the first frame of
/// an animation), recognised by its content whatever its name says. A picture that declares more
/// than MaxDecodedPixels is refused with a message saying so, and nothing is decoded.
DecodedImage decodeImageFile(const QString& path);

} // namespace vellum
