#include "core/helpers/whole_number.h"

#include <limits>

namespace vellum {

std::optional<int> strictInt(const QString& text) {
    int i = 0;
    bool negative = false;
    if (!text.isEmpty() && (text[0] == QLatin1Char('+') || text[0] == QLatin1Char('-'))) {
        negative = text[0] == QLatin1Char('-');
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate the magnitude in 64 bits and stop as soon as it is beyond any int, so that a
    // long run of digits cannot overflow; the most negative int has one more than the largest.
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        // QChar::isDigit would also take other scripts' digits.
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - u'0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return int(negative ? -magnitude : magnitude);
}

QString notAnIntegerMessage(const QString& text) {
    return QLatin1Char('\'') + text + QStringLiteral("' is not a valid integer value");
}

} // namespace vellum
