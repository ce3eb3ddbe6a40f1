// Any bytes as a tag list file (the first byte chooses Tags, Fillers or Library): reading never
// fails, the list written back reads back to the same lines and rows, and the row operations keep
// the number of rows.
#include "core/library/tag_library.h"

#include <cstdint>
#include <cstdlib>

using vellum::TagList;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const auto kind = static_cast<TagList::Kind>(data[0] % 3);
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1),
                           static_cast<qsizetype>(size - 1));
    TagList list = TagList::fromLines(kind, vellum::textLines(bytes));
    const QStringList once = list.lines();
    if (once.size() != list.rows() + 1)
        std::abort();
    // Read again, the list is the same: saving and reading never grows or shrinks it.
    if (TagList::fromLines(kind, once).lines() != once)
        std::abort();
    const int rows = list.rows();
    list.insertRow(static_cast<int>(size % (rows + 1)));
    list.deleteRow(static_cast<int>(size % 7));
    if (list.rows() != rows || !list.text(rows).isEmpty())
        std::abort();
    return 0;
}
