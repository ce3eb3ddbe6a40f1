#pragma once

#include <QStringView>

namespace vellum {

/// How the places of a text that was read some time ago stand in the text as it is now, for
/// results worked out over a copy while the user typed on. The longest start and end the two texts
/// share are taken as unchanged; everything between them as changed.
class TextShift {
public:
    /// Where a range of the text before stands now.
    struct Range {
        int start = 0;
        int end = 0;
        /// True when its characters are all still there, unchanged (for an empty range: the
        /// character after it).
        bool kept = true;
    };

    /// Compares `before` with `after`; neither needs to outlive the shift.
    TextShift(QStringView before, QStringView after);

    /// Where the characters from `start` to `end` of the text before are now. The start follows
    /// the character after it and the end the character before it, so text typed just before or
    /// just after the range stays outside it; an empty range follows the character after it. A
    /// range that reaches into the change keeps what is left of it, the change taken in.
    Range follow(int start, int end) const;

private:
    int m_sameStart = 0;  // characters shared at the start
    int m_changedEnd = 0; // where the shared end begins in the text before
    int m_delta = 0;      // how far the shared end has moved
};

} // namespace vellum
