#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

namespace vellum {

/// Where a wrapped line may end, for the characters the quick line count understands: ASCII, tab,
/// the letters of Latin, Greek and Cyrillic, CJK ideographs and the common typographic quotes and
/// dashes. The answers are the Unicode line-breaking rules as the text layout applies them.
///
/// Fills `breakBefore` (one entry per position and one for the end) with 1 where a line may
/// break before that position. Returns false when the text holds a character outside that set
/// (a combining mark, a control character, a no-break space, a right-to-left or complex script,
/// a character outside the Basic Multilingual Plane...); such text needs the real layout.
bool lineBreakOpportunities(QStringView text, std::vector<std::uint8_t>& breakBefore);

/// True for the characters lineBreakOpportunities understands.
bool isQuicklyWrapped(char16_t c);

} // namespace vellum
