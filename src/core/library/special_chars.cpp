#include "core/library/special_chars.h"

#include "core/library/tag_library.h"

#include <QStringList>

namespace vellum {

CharTables::Place CharTables::place(int line) {
    if (line < 32)
        return {false, line / Columns, line % Columns};
    if (line < 64)
        return {true, (line - 32) / Columns, (line - 32) % Columns};
    return {true, 4 + (line - 64) / Columns, (line - 64) % Columns};
}

CharTables CharTables::fromLines(const QStringList& lines) {
    CharTables tables;
    const int count = std::min(static_cast<int>(lines.size()), Entries);
    for (int k = 0; k < count; ++k) {
        // The glyph goes where a tag pair's opening would: before the first "..".
        const TagPair parts = splitTagEntry(lines[k]);
        const Place at = place(k);
        CharCell& cell =
            at.extended
                ? tables.extended[static_cast<size_t>(at.row)][static_cast<size_t>(at.column)]
                : tables.special[static_cast<size_t>(at.row)][static_cast<size_t>(at.column)];
        cell.glyph = parts.open;
        cell.text = parts.close.left(MaxTextLength);
    }
    return tables;
}

CharTables CharTables::read(const QString& path) {
    return fromLines(readLines(path));
}

} // namespace vellum
