// Any bytes as the special-character table: reading never fails, and no inserted text is longer
// than the table keeps.
#include "core/library/special_chars.h"
#include "core/library/tag_library.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const vellum::CharTables tables = vellum::CharTables::fromLines(vellum::textLines(bytes));
    for (const auto& row : tables.special)
        for (const auto& cell : row)
            if (cell.text.size() > vellum::CharTables::MaxTextLength)
                std::abort();
    for (const auto& row : tables.extended)
        for (const auto& cell : row)
            if (cell.text.size() > vellum::CharTables::MaxTextLength)
                std::abort();
    return 0;
}
