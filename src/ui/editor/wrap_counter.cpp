#include "ui/editor/wrap_counter.h"

#include "core/editor/wrap_rules.h"

#include <QFontMetricsF>

#include <algorithm>
#include <climits>
#include <cmath>

namespace vellum {

namespace {

// The layout measures in 1/64 pixel and turns pixel values into that unit by truncation.
std::int64_t toUnits(qreal pixels) {
    return static_cast<std::int64_t>(static_cast<int>(pixels * 64));
}

constexpr std::int32_t Unmeasured = INT32_MIN;

// The layout cuts a run of text of one script into pieces of at most this many characters.
constexpr int MaxRunLength = 4096;

enum class Script { Common, Latin, Greek, Cyrillic, Han };

// The script of a quickly wrapped character, as the layout runs text together: digits,
// punctuation and spaces belong to the run they are in.
Script scriptOf(char16_t c) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0x24F))
        return c == 0xD7 || c == 0xF7 ? Script::Common : Script::Latin;
    if (c >= 0x370 && c <= 0x3FF)
        return Script::Greek;
    if (c >= 0x400 && c <= 0x4FF)
        return Script::Cyrillic;
    if (c >= 0x4E00 && c <= 0x9FFF)
        return Script::Han;
    return Script::Common;
}

} // namespace

void WrapCounter::configure(const QFont& font, const QTextOption& option, qreal width) {
    m_font = font;
    m_usable = option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere &&
               !(option.flags() &
                 (QTextOption::ShowTabsAndSpaces | QTextOption::ShowLineAndParagraphSeparators |
                  QTextOption::IncludeTrailingSpaces)) &&
               (option.alignment() & Qt::AlignRight) == 0 &&
               option.textDirection() != Qt::RightToLeft;
    // The layout does not wrap without a width, and limits the width it wraps at.
    const qreal limit = static_cast<qreal>(INT_MAX / 256);
    m_width = toUnits(std::min(width <= 0 ? limit : width, limit));
    m_tabs.clear();
    for (const QTextOption::Tab& tab : option.tabs()) {
        if (tab.type != QTextOption::LeftTab)
            m_usable = false;
        m_tabs << toUnits(tab.position);
    }
    m_tabDistance = toUnits(option.tabStopDistance());
    if (m_tabDistance <= 0)
        m_tabDistance = 80 * 64;
    // The layout adds a glyph's overhang only within the font's largest overhang of the edge.
    m_fontOverhang = -std::min<std::int64_t>(0, toUnits(QFontMetricsF(m_font).minRightBearing()));
    m_maxOverhang = 0;
    m_advances.assign(0x10000, Unmeasured);
    m_overhangs.assign(0x10000, 0);
    m_scripts.assign(0x10000, 0);
}

bool WrapCounter::measure(QStringView text, std::int64_t* width) {
    std::int64_t x = 0;
    unsigned scripts = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('\t')) {
            x += tabWidth(x);
            continue;
        }
        std::int32_t& advance = m_advances[c.unicode()];
        if (advance == Unmeasured) {
            if (!isQuicklyWrapped(c.unicode()))
                return false;
            const QFontMetricsF metrics(m_font);
            // Through a whole string, as the layout shapes text, so that any rounding is the same.
            advance =
                static_cast<std::int32_t>(std::lround(metrics.horizontalAdvance(QString(c)) * 64));
            // A glyph reaching past its advance can end a line earlier than the advances say.
            // Every glyph a line's end can be measured by is one of the paragraph's own.
            const std::int64_t overhang =
                -std::min<std::int64_t>(0, toUnits(metrics.rightBearing(c)));
            m_overhangs[c.unicode()] = static_cast<std::int32_t>(overhang);
            m_maxOverhang = std::max(m_maxOverhang, overhang);
            m_scripts[c.unicode()] =
                static_cast<std::uint8_t>(1u << static_cast<unsigned>(scriptOf(c.unicode())));
        }
        x += advance;
        scripts |= m_scripts[c.unicode()];
    }
    *width = x;
    // Characters of no script join the runs around them.
    scripts &= ~(1u << static_cast<unsigned>(Script::Common));
    m_oneScript = (scripts & (scripts - 1)) == 0;
    return true;
}

std::int64_t WrapCounter::tabWidth(std::int64_t x) const {
    for (const std::int64_t tab : m_tabs) {
        if (tab > x)
            return tab - x;
    }
    // The layout's own fixed-point division, rounded, then truncated to whole tab stops.
    const std::int64_t ratio = ((x << 6) + m_tabDistance / 2) / m_tabDistance;
    return ((ratio >> 6) + 1) * m_tabDistance - x;
}

void WrapCounter::findRuns(QStringView text) const {
    // As the layout cuts a paragraph into runs shaped apart: at each tab, after each tab, where
    // the script changes (characters of no script belong to the run before them, or to the
    // first run that has a script) and after at most MaxRunLength characters.
    const char16_t* chars = text.utf16();
    const int n = static_cast<int>(text.size());
    m_runStarts.assign(1, 0);
    if (m_oneScript) {
        // Without a change of script only the tabs and the length cut.
        for (int start = 0;;) {
            const int end =
                chars[start] == u'\t'
                    ? start + 1
                    : static_cast<int>(std::find(chars + start,
                                                 chars + std::min(n, start + MaxRunLength), u'\t') -
                                       chars);
            if (end >= n)
                break;
            m_runStarts.push_back(end);
            start = end;
        }
        m_runStarts.push_back(n);
        return;
    }
    Script running = Script::Common;
    for (int i = 0; i < n && running == Script::Common; ++i)
        running = scriptOf(chars[i]);
    Script startScript = running;
    bool startTab = chars[0] == u'\t';
    int start = 0;
    for (int i = 1; i < n; ++i) {
        const Script own = scriptOf(chars[i]);
        if (own != Script::Common)
            running = own;
        const bool tab = chars[i] == u'\t';
        if (!tab && !startTab && (running == startScript || chars[i] == u'.') &&
            i - start < MaxRunLength)
            continue;
        m_runStarts.push_back(i);
        start = i;
        startScript = running;
        startTab = tab;
    }
    m_runStarts.push_back(n);
}

int WrapCounter::glyphBefore(QStringView text, int wordStart) const {
    if (m_runStarts.empty())
        findRuns(text);
    // The layout names the glyph before a word by its place in the run it is in, but looks it
    // up in the word's own run: the same glyph within a run, another one (or none) across runs.
    const auto runOf = [this](int position) {
        return static_cast<int>(std::upper_bound(m_runStarts.begin(), m_runStarts.end(), position) -
                                m_runStarts.begin() - 1);
    };
    const int before = wordStart - 1;
    const int run = runOf(wordStart);
    const int beforeRun = runOf(before);
    if (run == beforeRun)
        return before;
    const int index = before - m_runStarts[beforeRun];
    const int runLength = m_runStarts[run + 1] - m_runStarts[run];
    return index < runLength ? m_runStarts[run] + index : -1;
}

int WrapCounter::lineEnd(QStringView text, int from, bool anywhere, bool* redo,
                         bool* unsure) const {
    // Committed text of the line, a word being gathered, and the spaces between them.
    std::int64_t lineWidth = 0;
    int lineLength = 0;
    std::int64_t wordWidth = 0;
    int wordLength = 0;
    std::int64_t spaceWidth = 0;
    int spaceLength = 0;
    const int n = static_cast<int>(text.size());
    const char16_t* chars = text.utf16();
    const auto extend = [&] {
        lineWidth += wordWidth + spaceWidth;
        lineLength += wordLength + spaceLength;
        wordWidth = spaceWidth = 0;
        wordLength = spaceLength = 0;
    };
    // Whether the line ends before what is gathered (a line always takes its first piece).
    // Near the edge the layout adds how far the last glyph reaches past its advance.
    const auto full = [&](int lastGlyph) {
        std::int64_t width = lineWidth + wordWidth + spaceWidth;
        if (lastGlyph >= 0 && width + m_fontOverhang > m_width)
            width += m_overhangs[chars[lastGlyph]];
        if (lineLength > 0 && width > m_width)
            return true;
        extend();
        return false;
    };
    // Once the line is ended the layout adds the overhang of its last glyph (or, when a word did
    // not fit, of the glyph before it), and starts over, breaking anywhere, when the line is
    // then too wide.
    const auto finish = [&](std::int64_t overhang) {
        if (lineLength == 0) {
            lineLength = wordLength;
            lineWidth += wordWidth;
        }
        if (!anywhere && lineWidth + overhang > m_width)
            *redo = true;
        return from + lineLength + spaceLength;
    };

    int p = from;
    bool lastWasSpace = true;
    while (p < n) {
        const char16_t c = chars[p];
        if (c == u'\t') {
            lastWasSpace = true;
            if (full(-1))
                return finish(0);
            spaceWidth += tabWidth(lineWidth + wordWidth + spaceWidth);
            ++spaceLength;
            ++p;
            if (full(-1))
                return finish(0);
        } else if (c == u' ') {
            lastWasSpace = true;
            while (p < n && chars[p] == u' ') {
                spaceWidth += m_advances[u' '];
                ++spaceLength;
                ++p;
            }
            if (spaceWidth > m_width) {
                spaceWidth = m_width;
                return finish(0);
            }
        } else {
            lastWasSpace = false;
            const int wordStart = p;
            do {
                wordWidth += m_advances[chars[p]];
                ++wordLength;
                ++p;
                if (p >= n || chars[p] == u' ' || chars[p] == u'\t' || m_breaks[p])
                    break;
            } while (!anywhere);
            if (wordWidth >= static_cast<std::int64_t>(INT_MAX / 256) * 64) {
                *unsure = true; // a word wider than the layout measures
                return n;
            }
            if (full(p - 1)) {
                // Without a glyph before, the overhang measured for the check stays.
                const int before = glyphBefore(text, wordStart);
                const bool measured = lineWidth + wordWidth + spaceWidth + m_fontOverhang > m_width;
                return finish(before >= 0 ? m_overhangs[chars[before]]
                                          : (measured ? m_overhangs[chars[p - 1]] : 0));
            }
        }
    }
    // The end of the paragraph: what is gathered joins the line if it fits.
    full(-1);
    return finish(lastWasSpace ? 0 : m_overhangs[chars[n - 1]]);
}

int WrapCounter::lineCount(QStringView text) {
    if (!m_usable)
        return -1;
    if (text.isEmpty())
        return 1;
    // Most paragraphs fit on one line whatever the glyphs' overhangs: they need no more.
    std::int64_t width = 0;
    if (!measure(text, &width))
        return -1;
    if (width + m_maxOverhang <= m_width)
        return 1;
    if (!lineBreakOpportunities(text, m_breaks))
        return -1;
    m_runStarts.clear(); // found when first needed
    int lines = 0;
    int from = 0;
    const int n = static_cast<int>(text.size());
    while (from < n) {
        bool redo = false;
        bool unsure = false;
        int next = lineEnd(text, from, false, &redo, &unsure);
        if (redo && !unsure)
            next = lineEnd(text, from, true, &redo, &unsure);
        if (unsure || next <= from)
            return -1;
        from = next;
        ++lines;
    }
    return lines;
}

} // namespace vellum
