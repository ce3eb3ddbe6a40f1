#include "core/foundation/char_scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>

namespace vellum {

namespace {

bool isWanted(char16_t c, QStringView wanted) {
    for (const QChar w : wanted) {
        if (w.unicode() == c)
            return true;
    }
    return false;
}

#if defined(__SSE2__)
// The wanted characters, to be compared with eight characters at once.
class EightAtOnce {
public:
    explicit EightAtOnce(QStringView wanted) : m_count(static_cast<int>(wanted.size())) {
        if (!usable())
            return;
        for (int k = 0; k < m_count; ++k)
            m_each[k] = _mm_set1_epi16(static_cast<short>(wanted[k].unicode()));
    }
    bool usable() const { return m_count > 0 && m_count <= MaxWanted; }
    // Whether one of the eight characters from `at` on is wanted.
    bool anyIn(const char16_t* at) const {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
        __m128i hit = _mm_cmpeq_epi16(eight, m_each[0]);
        for (int k = 1; k < m_count; ++k)
            hit = _mm_or_si128(hit, _mm_cmpeq_epi16(eight, m_each[k]));
        return _mm_movemask_epi8(hit) != 0;
    }

private:
    static constexpr int MaxWanted = 6; // more are looked for one character at a time
    __m128i m_each[MaxWanted] = {};
    int m_count;
};
#endif

} // namespace

qsizetype indexOfAnyOf(QStringView text, qsizetype from, QStringView wanted) {
    const auto* const chars = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    qsizetype i = std::max<qsizetype>(from, 0);
#if defined(__SSE2__)
    // Skipped eight at a time up to the eight holding the first one; found below.
    const EightAtOnce eight(wanted);
    if (eight.usable()) {
        while (i + 8 <= n && !eight.anyIn(chars + i))
            i += 8;
    }
#endif
    for (; i < n; ++i) {
        if (isWanted(chars[i], wanted))
            return i;
    }
    return -1;
}

qsizetype lastIndexOfAnyOf(QStringView text, qsizetype from, QStringView wanted) {
    const auto* const chars = reinterpret_cast<const char16_t*>(text.data());
    qsizetype i = std::min(from, text.size() - 1);
#if defined(__SSE2__)
    // The eight characters ending at i are skipped while none is wanted.
    const EightAtOnce eight(wanted);
    if (eight.usable()) {
        while (i >= 7 && !eight.anyIn(chars + i - 7))
            i -= 8;
    }
#endif
    for (; i >= 0; --i) {
        if (isWanted(chars[i], wanted))
            return i;
    }
    return -1;
}

} // namespace vellum
