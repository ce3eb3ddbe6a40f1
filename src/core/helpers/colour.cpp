#include "core/helpers/colour.h"

#include <cctype>

namespace vellum {

quint32 bgrFromRgb(int r, int g, int b) {
    return quint32(r & 0xFF) | quint32(g & 0xFF) << 8 | quint32(b & 0xFF) << 16;
}

QString colourText(quint32 bgr) {
    const auto part = [bgr](int shift) {
        return QStringLiteral("%1").arg((bgr >> shift) & 0xFF, 2, 16, QLatin1Char('0'));
    };
    return (part(0) + part(8) + part(16)).toUpper();
}

std::optional<quint32> colourFromText(QStringView text) {
    if (text.startsWith(u'#'))
        text = text.sliced(1);
    if (text.size() != 6)
        return std::nullopt;
    bool ok = false;
    // toUInt would also take a sign or a "0x" before the digits.
    for (const QChar c : text) {
        if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7F)
            return std::nullopt;
    }
    const quint32 rgb = text.toUInt(&ok, 16);
    if (!ok)
        return std::nullopt;
    return bgrFromRgb(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

const std::array<quint32, 16>& gridColours() {
    // Written as 0xRRGGBB, the way the colours are usually named, and turned around once.
    static const std::array<quint32, 16> grid = [] {
        const quint32 rgb[16] = {
            0x000000, 0x800000, 0x008000, 0x808000, // black, maroon, green, olive
            0x000080, 0x800080, 0x008080, 0xC0C0C0, // navy, purple, teal, silver
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, // grey, red, lime, yellow
            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, // blue, fuchsia, aqua, white
        };
        std::array<quint32, 16> values{};
        for (int i = 0; i < 16; ++i)
            values[i] = bgrFromRgb(int(rgb[i] >> 16), int(rgb[i] >> 8), int(rgb[i]));
        return values;
    }();
    return grid;
}

} // namespace vellum
