#pragma once

#include <QString>

#include <cstddef>

namespace vellum {

/// The text `table` holds for `value`, the table listing the texts in the order the enum's
/// values are declared (numbered from 0). A null entry, or a value past the table's end, gives a
/// null string: the value writes nothing.
template <typename Enum, std::size_t N>
QString enumText(const char* const (&table)[N], Enum value) {
    const auto index = static_cast<std::size_t>(value);
    return index < N && table[index] ? QString::fromLatin1(table[index]) : QString();
}

} // namespace vellum
