#pragma once

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>

namespace vellum::test {

/// A picture of one colour saved in `format` ("PNG", "JPEG").
inline bool writeImage(const QString& path, QSize size, const char* format,
                       QColor colour = Qt::red) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format);
}

/// The bytes of a GIF picture of one colour. The encoder is the simplest there is: every two
/// pixels the code table is cleared, so every code stays three bits wide.
inline QByteArray gifBytes(QSize size) {
    QByteArray out("GIF89a");
    const auto word = [&out](int value) {
        out += char(value & 0xFF);
        out += char((value >> 8) & 0xFF);
    };
    word(size.width());
    word(size.height());
    out += char(0x80); // a global table of two colours
    out += char(0);
    out += char(0);
    out += QByteArray("\xFF\x00\x00\x00\x00\xFF", 6);
    out += char(0x2C);
    word(0);
    word(0);
    word(size.width());
    word(size.height());
    out += char(0);
    out += char(2); // smallest code size: codes are 3 bits, clear = 4, end = 5
    QByteArray data;
    quint32 bits = 0;
    int count = 0;
    const auto code = [&](int value) {
        bits |= quint32(value) << count;
        count += 3;
        while (count >= 8) {
            data += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    };
    const qint64 pixels = qint64(size.width()) * size.height();
    for (qint64 i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            code(4);
        code(0);
    }
    code(5);
    if (count > 0)
        data += char(bits & 0xFF);
    for (int at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out += char(block.size());
        out += block;
    }
    out += char(0);
    out += char(0x3B);
    return out;
}

/// A PNG file that declares a picture of `size` but holds an empty picture stream: its header can
/// be read, its picture cannot be decoded.
inline QByteArray pngHeaderBytes(QSize size) {
    const auto crc = [](const QByteArray& bytes) {
        quint32 c = 0xFFFFFFFFu;
        for (const char byte : bytes) {
            c ^= quint8(byte);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        return c ^ 0xFFFFFFFFu;
    };
    const auto be = [](quint32 v) {
        QByteArray out(4, '\0');
        for (int i = 0; i < 4; ++i)
            out[i] = char((v >> (24 - 8 * i)) & 0xFF);
        return out;
    };
    const QByteArray ihdr = QByteArray("IHDR") + be(quint32(size.width())) +
                            be(quint32(size.height())) + QByteArray("\x08\x02\x00\x00\x00", 5);
    const QByteArray idat = QByteArray("IDAT") + QByteArray("\x78\x9c\x03\x00\x00\x00\x00\x01", 8);
    const QByteArray iend("IEND");
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be(13) + ihdr + be(crc(ihdr)) + be(8) + idat +
           be(crc(idat)) + be(0) + iend + be(crc(iend));
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace vellum::test
