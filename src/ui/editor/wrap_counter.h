#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QStringView>
#include <QTextOption>

#include <cstdint>
#include <vector>

namespace vellum {

/// Counts the lines a paragraph wraps into, as the editor's text layout would wrap it, without
/// laying it out: from each character's advance (measured once through the layout's own font
/// engine) and the line-breaking rules. Several times faster than a layout, so the display-line
/// numbers of a large document are known shortly after it opens.
///
/// Text the counter cannot answer for exactly (characters outside the quickly wrapped set, or a
/// word wider than the layout measures) is refused, and left to the real layout.
class WrapCounter {
public:
    /// Counts for this font, text option (tab stops, wrap mode) and line width in pixels, as the
    /// editor lays its paragraphs out (no margins; a width of 0 or less does not wrap).
    void configure(const QFont& font, const QTextOption& option, qreal width);

    /// The number of lines `text` (one paragraph, without its break) wraps into, or -1.
    int lineCount(QStringView text);

private:
    bool measure(QStringView text, std::int64_t* width);
    void findRuns(QStringView text) const;
    int glyphBefore(QStringView text, int wordStart) const;
    int lineEnd(QStringView text, int from, bool anywhere, bool* redo, bool* unsure) const;
    std::int64_t tabWidth(std::int64_t x) const;

    QFont m_font;
    bool m_usable = false;
    std::int64_t m_width = 0;
    std::int64_t m_fontOverhang = 0;
    std::int64_t m_maxOverhang = 0;
    std::int64_t m_tabDistance = 0;
    QList<std::int64_t> m_tabs;
    std::vector<std::int32_t> m_advances;
    std::vector<std::int32_t> m_overhangs;
    std::vector<std::uint8_t> m_scripts; ///< of each measured character, one bit each
    bool m_oneScript = false;            ///< the paragraph measured last has letters of one script
    std::vector<std::uint8_t> m_breaks;
    mutable std::vector<int> m_runStarts;
};

} // namespace vellum
