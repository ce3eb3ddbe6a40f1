// Any bytes as a tag list file (the first byte chooses Tags, Fillers or Library): reading never
// fails, the list written back reads back to the same lines and rows, and Insert Row keeps every
// entry.
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
    // Insert Row loses no entry (the list grows when it must, never shrinks); Delete Row leaves the
    // spare position empty.
    const auto inUse = [&list] {
        int count = 0;
        for (int row = 0; row <= list.rows(); ++row)
            count += list.row(row) == vellum::LibraryRow{} ? 0 : 1;
        return count;
    };
    const int rows = list.rows();
    const int entries = inUse();
    list.insertRow(static_cast<int>(size % (rows + 1)));
    if (list.rows() < rows || inUse() != entries)
        std::abort();
    list.deleteRow(static_cast<int>(size % 7));
    if (list.lines().size() != list.rows() + 1 || !(list.row(list.rows()) == vellum::LibraryRow{}))
        std::abort();
    return 0;
}
