#pragma once

#include <QString>

#include <optional>

namespace vellum {

/// The whole number the helpers' number boxes accept: an optional "+" or "-" followed by one or
/// more decimal digits (0-9), nothing else, not even blanks at the ends. Returns nullopt for
/// empty text, any other character, or a value outside the 32-bit signed range.
std::optional<int> strictInt(const QString& text);

/// The message shown when a number box holds `text`, which is not a whole number:
/// "'text' is not a valid integer value".
QString notAnIntegerMessage(const QString& text);

} // namespace vellum
