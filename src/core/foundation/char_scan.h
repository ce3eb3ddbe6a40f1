#pragma once

#include <QStringView>

namespace vellum {

/// The position of the first character at or after `from` in `text` that is one of `wanted`,
/// or -1. Eight characters are compared at a time where the processor can, so scanning a text
/// of a hundred megabytes for line breaks takes a fraction of a character-by-character loop.
qsizetype indexOfAnyOf(QStringView text, qsizetype from, QStringView wanted);

/// The position of the last character at or before `from` in `text` that is one of `wanted`, or
/// -1; as fast as the above.
qsizetype lastIndexOfAnyOf(QStringView text, qsizetype from, QStringView wanted);

} // namespace vellum
