#include "core/foundation/char_scan.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vellum {

namespace {

bool isWanted(char16_t c, QStringView wanted) {
    for (const QChar w : wanted) {
        if (w.unicode() == c)
            return true;
    }
    return false;
}

} // namespace

qsizetype indexOfAnyOf(QStringView text, qsizetype from, QStringView wanted) {
    const auto* const chars = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    qsizetype i = from < 0 ? 0 : from;
#if defined(__SSE2__)
    constexpr int MaxWanted = 4;
    if (!wanted.isEmpty() && wanted.size() <= MaxWanted) {
        __m128i each[MaxWanted];
        const auto count = static_cast<int>(wanted.size());
        for (int k = 0; k < count; ++k)
            each[k] = _mm_set1_epi16(static_cast<short>(wanted[k].unicode()));
        for (; i + 8 <= n; i += 8) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i));
            __m128i hit = _mm_cmpeq_epi16(eight, each[0]);
            for (int k = 1; k < count; ++k)
                hit = _mm_or_si128(hit, _mm_cmpeq_epi16(eight, each[k]));
            if (_mm_movemask_epi8(hit) != 0)
                break; // the character-by-character loop below finds which one
        }
    }
#endif
    for (; i < n; ++i) {
        if (isWanted(chars[i], wanted))
            return i;
    }
    return -1;
}

} // namespace vellum
