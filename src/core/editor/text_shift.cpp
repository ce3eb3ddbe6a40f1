#include "core/editor/text_shift.h"

#include <algorithm>

namespace vellum {

TextShift::TextShift(QStringView before, QStringView after) {
    const int oldLength = static_cast<int>(before.size());
    const int newLength = static_cast<int>(after.size());
    const int shorter = std::min(oldLength, newLength);
    while (m_sameStart < shorter && before[m_sameStart] == after[m_sameStart])
        ++m_sameStart;
    // The shared end never reaches into the shared start: "aa" to "aaa" is one "a" added.
    int sameEnd = 0;
    while (sameEnd < shorter - m_sameStart &&
           before[oldLength - 1 - sameEnd] == after[newLength - 1 - sameEnd])
        ++sameEnd;
    m_changedEnd = oldLength - sameEnd;
    m_delta = newLength - oldLength;
}

TextShift::Range TextShift::follow(int start, int end) const {
    Range range;
    // An empty range is about the character after it.
    const int lastKept = end > start ? end : end + 1;
    range.kept = lastKept <= m_sameStart || start >= m_changedEnd;
    range.start = start >= m_changedEnd ? start + m_delta : std::min(start, m_sameStart);
    if (end <= start)
        range.end = range.start;
    else if (end <= m_sameStart)
        range.end = end;
    else
        range.end = std::max(end, m_changedEnd) + m_delta;
    return range;
}

} // namespace vellum
