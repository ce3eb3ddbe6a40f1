#pragma once

#include <QString>

#include <QStringView>

#include <array>
#include <optional>

namespace vellum {

// A colour value holds red in its lowest byte, green in the next and blue in the third
// (0x00BBGGRR); the top byte is not part of the colour.

/// Builds a colour value from its red, green and blue parts; only the low byte of each is used.
quint32 bgrFromRgb(int r, int g, int b);

/// The HTML text of a colour value: six upper-case hex digits, red first ("FF0000" for pure
/// red). The top byte of the value is ignored.
QString colourText(quint32 bgr);

/// The colour value of an HTML colour text: six hex digits, red first, with or without a leading
/// "#", in either case. Null for anything else (a colour name, three digits).
std::optional<quint32> colourFromText(QStringView text);

/// The 16 standard colours of the helpers' 4x4 colour grid as colour values, row by row and
/// left to right in each row. The array lives for the whole program.
const std::array<quint32, 16>& gridColours();

} // namespace vellum
