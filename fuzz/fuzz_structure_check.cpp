// Any text checked for its structure: the check ends, and every finding lies inside the text,
// selects forwards, is worded, and carries the line and column of its start.
#include "core/editor/structure_check.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

// The first byte chooses how the rest becomes text: one character per byte (markup is ASCII, so
// this reaches the most of it), UTF-16 code units (unpaired surrogates included), or UTF-8.
QString textOf(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto count = static_cast<qsizetype>(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromLatin1(bytes, count);
    case 1: {
        std::u16string units(static_cast<std::size_t>(count / 2), u'\0');
        std::memcpy(units.data(), bytes, units.size() * 2); // the bytes may be unaligned
        return QString::fromStdU16String(units);
    }
    default:
        return QString::fromUtf8(bytes, count);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QString text = textOf(data, size);
    const vellum::LineIndex lines(text);
    int previous = 0;
    for (const vellum::Finding& finding : vellum::structureFindings(text)) {
        check(finding.kind == vellum::FindingKind::Error ||
              finding.kind == vellum::FindingKind::Warning);
        check(previous <= finding.start && finding.start <= finding.end &&
              finding.end <= text.size());
        check(!finding.message.isEmpty());
        const vellum::TextPoint point = lines.pointOf(finding.start);
        check(point.line == finding.line && point.column == finding.column);
        previous = finding.start;
    }
    return 0;
}
