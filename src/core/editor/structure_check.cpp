#include "core/editor/structure_check.h"

#include "core/foundation/line_breaks.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <QByteArray>

#include <algorithm>
#include <climits>
#include <cstring>
#include <numeric>
#include <tuple>
#include <vector>

namespace vellum {

namespace {

/// One error or warning as Tidy gives it: its place in Tidy's lines and columns.
struct TidyReport {
    FindingKind kind;
    int line;
    int column;
    QString message;
};

Bool TIDY_CALL collectReport(TidyMessage message) {
    auto* reports =
        static_cast<std::vector<TidyReport>*>(tidyGetAppData(tidyGetMessageDoc(message)));
    FindingKind kind;
    switch (tidyGetMessageLevel(message)) {
    case TidyWarning:
        kind = FindingKind::Warning;
        break;
    case TidyError:
    case TidyBadDocument:
    case TidyFatal:
        kind = FindingKind::Error;
        break;
    default:
        // Information, configuration, accessibility and the summary are not about the page.
        return no;
    }
    // The default (English) wording, whatever language Tidy picked from the environment.
    const char* text = tidyGetMessageDefault(message);
    // Tidy asks for a table summary whenever its accessibility checks are off and the page is
    // not HTML5; that is accessibility advice (and the attribute does not exist in HTML 3.2), so
    // a valid page keeps no finding for it.
    if (std::strcmp(tidyGetMessageKey(message), "MISSING_ATTRIBUTE") == 0 &&
        std::strcmp(text, "<table> lacks \"summary\" attribute") == 0)
        return no;
    reports->push_back({kind, tidyGetMessageLine(message), tidyGetMessageColumn(message),
                        QString::fromUtf8(text)});
    return no; // nothing printed
}

/// The text as Tidy reads it: UTF-8, every line break (CR LF, CR or LF) one LF, as the line index
/// counts them (Tidy would read a CR right after a lone CR as an ordinary character). A lone
/// surrogate is one character, as it is one column to the index.
QByteArray tidyInput(const QString& text) {
    return withLineBreak(normalizeLineBreaks(text), u"\n").toUtf8();
}

/// Whether the doctype of `text` names an HTML version by a public identifier (HTML 3.2, 4.01,
/// XHTML...) rather than being HTML5's "<!DOCTYPE html>".
bool namesOlderVersion(QStringView text) {
    const qsizetype at = text.indexOf(u"<!doctype", 0, Qt::CaseInsensitive);
    if (at < 0)
        return false;
    const qsizetype end = text.indexOf(u'>', at);
    return text.mid(at, end < 0 ? -1 : end - at).contains(u"public", Qt::CaseInsensitive);
}

/// Runs Tidy's parser and its clean-up pass (where unknown attributes and elements of another HTML
/// version are reported) over `input`; the document it builds is dropped unwritten.
std::vector<TidyReport> tidyReports(const QByteArray& input, bool namesOlderVersion) {
    std::vector<TidyReport> reports;
    TidyDoc doc = tidyCreate();
    tidySetAppData(doc, &reports);
    tidySetMessageCallback(doc, collectReport);
    TidyBuffer swallowed;
    tidyBufInit(&swallowed);
    tidySetErrorBuffer(doc, &swallowed);
    // Every error shown (Tidy's default stops at six), no information lines.
    tidyOptSetInt(doc, TidyShowErrors, INT_MAX);
    tidyOptSetBool(doc, TidyShowWarnings, yes);
    tidyOptSetBool(doc, TidyShowInfo, no);
    tidyOptSetBool(doc, TidyQuiet, yes);
    // Elements and attributes the page's HTML version lacks are reported. Tidy's own choice of the
    // version ("auto") is HTML5 for a page without a doctype or with HTML5's; for an older page it
    // is the version the content looks like, which lets a 4.01 Strict page use Transitional's
    // elements, so there the version is the one the doctype names ("user").
    tidyOptSetBool(doc, TidyStrictTagsAttr, yes);
    if (namesOlderVersion)
        tidyOptParseValue(doc, "doctype", "user");
    // A tab is one column, as the editor counts it.
    tidyOptSetInt(doc, TidyTabSize, 1);
    tidySetInCharEncoding(doc, "utf8");
    TidyBuffer buffer;
    tidyBufInit(&buffer);
    tidyBufAttach(&buffer, reinterpret_cast<byte*>(const_cast<char*>(input.constData())),
                  static_cast<uint>(input.size()));
    if (tidyParseBuffer(doc, &buffer) >= 0)
        tidyCleanAndRepair(doc);
    tidyBufDetach(&buffer);
    tidyRelease(doc);
    tidyBufFree(&swallowed);
    return reports;
}

/// Whether Tidy counts a column for the character at `i`: it drops control characters other than
/// tab and escape, and a byte order mark that starts the text.
bool tidyCounts(QStringView text, qsizetype i) {
    const char16_t c = text[i].unicode();
    if (c < 0x20)
        return c == u'\t' || c == 0x1B;
    return !(i == 0 && c == 0xFEFF);
}

/// Walks lines of a text column by column as Tidy counts them (a character outside the BMP is one
/// column, two positions), for places given in order.
class TidyPlaces {
public:
    TidyPlaces(QStringView text, const LineIndex& lines) : m_text(text), m_lines(lines) {}

    /// The position of Tidy's `line` and `column`; the line's end when the column lies past it.
    /// Cheap when called with places in ascending order.
    int positionOf(int line, int column) {
        if (line < 1)
            return 0;
        if (line != m_line || column < m_column) {
            m_line = line;
            m_column = 1;
            m_position = m_lines.positionOf({line, 1});
            const int size = static_cast<int>(m_text.size());
            m_lineEnd = m_lines.positionOf({line, size - m_position + 1});
        }
        while (m_column < column && m_position < m_lineEnd) {
            if (tidyCounts(m_text, m_position))
                ++m_column;
            m_position += width(m_position);
        }
        // The place is the character Tidy read next: past those it dropped.
        while (m_position < m_lineEnd && !tidyCounts(m_text, m_position))
            ++m_position;
        return m_position;
    }

private:
    int width(int i) const {
        return m_text[i].isHighSurrogate() && i + 1 < m_lineEnd && m_text[i + 1].isLowSurrogate()
                   ? 2
                   : 1;
    }

    QStringView m_text;
    const LineIndex& m_lines;
    int m_line = 0;
    int m_column = 1;
    int m_position = 0;
    int m_lineEnd = 0;
};

bool isAsciiAlnum(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

/// Where the offending text that starts at `start` ends: a tag runs to its ">" (a quoted value
/// may hold one), an entity over its name and ";"; any other place selects nothing.
class OffendingText {
public:
    explicit OffendingText(QStringView text)
        : m_text(text), m_lastDouble(static_cast<int>(text.lastIndexOf(u'"'))),
          m_lastSingle(static_cast<int>(text.lastIndexOf(u'\''))) {}

    int endOf(int start) {
        if (start >= m_text.size())
            return start;
        if (m_text[start] == u'&')
            return entityEnd(start);
        if (m_text[start] != u'<')
            return start;
        // Several findings about one tag come one after another.
        if (start != m_tagStart) {
            m_tagStart = start;
            m_tagEnd = tagEnd(start);
        }
        return m_tagEnd;
    }

private:
    int entityEnd(int start) const {
        const int n = static_cast<int>(m_text.size());
        int i = start + 1;
        if (i < n && m_text[i] == u'#')
            ++i;
        while (i < n && isAsciiAlnum(m_text[i]))
            ++i;
        if (i < n && m_text[i] == u';')
            ++i;
        return i;
    }

    int tagEnd(int start) const {
        const int n = static_cast<int>(m_text.size());
        int i = start + 1;
        while (i < n) {
            const QChar c = m_text[i];
            if (c == u'>')
                return i + 1;
            // A tag never closed ends where the next one begins.
            if (c == u'<')
                return i;
            ++i;
            if (c != u'=')
                continue;
            while (i < n && (m_text[i] == u' ' || m_text[i] == u'\t' || m_text[i] == u'\r' ||
                             m_text[i] == u'\n'))
                ++i;
            if (i >= n || (m_text[i] != u'"' && m_text[i] != u'\''))
                continue;
            // A quote with no partner later in the text opens no value; knowing the last of
            // each kind keeps that from being searched for again and again.
            const QChar quote = m_text[i];
            if (i >= (quote == u'"' ? m_lastDouble : m_lastSingle))
                continue;
            i = static_cast<int>(m_text.indexOf(quote, i + 1)) + 1;
        }
        return n;
    }

    QStringView m_text;
    int m_lastDouble;
    int m_lastSingle;
    int m_tagStart = -1;
    int m_tagEnd = -1;
};

} // namespace

QList<Finding> structureFindings(const QString& text) {
    const std::vector<TidyReport> reports = tidyReports(tidyInput(text), namesOlderVersion(text));
    // Placed in the order of their places, so that the text is walked once.
    std::vector<std::size_t> order(reports.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return std::tie(reports[a].line, reports[a].column) <
               std::tie(reports[b].line, reports[b].column);
    });
    const LineIndex lines(text);
    TidyPlaces places(text, lines);
    OffendingText offending(text);
    QList<Finding> findings;
    findings.reserve(static_cast<qsizetype>(reports.size()));
    for (const std::size_t index : order) {
        const TidyReport& report = reports[index];
        Finding finding;
        finding.kind = report.kind;
        finding.start = places.positionOf(report.line, report.column);
        finding.end = offending.endOf(finding.start);
        const TextPoint point = lines.pointOf(finding.start);
        finding.line = point.line;
        finding.column = point.column;
        finding.message = report.message;
        findings.append(finding);
    }
    return findings;
}

} // namespace vellum
