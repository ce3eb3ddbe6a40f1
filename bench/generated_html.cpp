#include "generated_html.h"

#include <iterator>
#include <utility>
#include <vector>

namespace vellum::bench {

namespace {

class DocumentGenerator {
public:
    explicit DocumentGenerator(std::uint64_t seed) : m_rnd(seed) {
        const char* const words[] = {
            "the",      "a",         "of",      "and",     "to",        "in",       "is",
            "it",       "for",       "with",    "on",      "as",        "page",     "table",
            "link",     "image",     "colour",  "window",  "text",      "heading",  "list",
            "item",     "between",   "without", "because", "document",  "style",    "border",
            "editor",   "paragraph", "cell",    "row",     "character", "column",   "frame",
            "browser",  "preview",   "font",    "size",    "template",  "library",  "helper",
            "café",     "naïve",     "résumé",  "über",    "Übersicht", "señor",    "—",
            "“quoted”", "2024",      "12.5%",   "e-mail",  "home",      "contents", "index"};
        for (const char* w : words)
            m_words.push_back(QString::fromUtf8(w));
    }

    /// About `targetChars` characters of document.
    QString generate(int targetChars) {
        m_out.clear();
        m_out.reserve(targetChars + 4096);
        m_out += QLatin1String("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<title>A page</title>\r\n"
                               "</head>\r\n<body>\r\n");
        while (m_out.size() < targetChars) {
            indent();
            const int kind = m_rnd.between(0, 99);
            if (kind < 4) {
                // a blank line, or only the indentation
            } else if (kind < 50) {
                shortLine();
            } else if (kind < 93) {
                mediumLine();
            } else {
                m_out += QLatin1String("<p>");
                appendWords(m_rnd.between(293, 1993));
                m_out += QLatin1String("</p>");
            }
            m_out += QLatin1String("\r\n");
        }
        m_out += QLatin1String("</body>\r\n</html>\r\n");
        return std::move(m_out);
    }

private:
    void indent() {
        const int depth = m_rnd.between(0, 4);
        if (m_rnd.between(0, 9) == 0)
            m_out += QString(depth, QLatin1Char('\t'));
        else
            m_out += QString(depth * 2, QLatin1Char(' '));
    }

    void shortLine() {
        static const char* const tags[] = {"<p>",
                                           "</p>",
                                           "<br>",
                                           "<hr>",
                                           "<tr>",
                                           "</tr>",
                                           "<td>",
                                           "</td>",
                                           "<ul>",
                                           "</ul>",
                                           "<li>",
                                           "</li>",
                                           "</div>",
                                           "<table>",
                                           "</table>",
                                           "<dl>",
                                           "</dl>",
                                           "<center>",
                                           "<!-- -->",
                                           "<blockquote>",
                                           "</blockquote>",
                                           "</ol>",
                                           "<ol type=\"1\">",
                                           "<div class=\"box\">"};
        m_out += QLatin1String(tags[m_rnd.between(0, static_cast<int>(std::size(tags)) - 1)]);
    }

    void mediumLine() {
        switch (m_rnd.between(0, 3)) {
        case 0:
            m_out +=
                QLatin1String("<li><a href=\"page") + number(1, 999) + QLatin1String(".htm\">");
            appendWords(m_rnd.between(10, 40));
            m_out += QLatin1String("</a></li>");
            break;
        case 1:
            m_out += QLatin1String("<td class=\"cell\">");
            appendWords(m_rnd.between(20, 80));
            m_out += QLatin1String("</td>");
            break;
        case 2:
            m_out += QLatin1String("<img src=\"images/pic") + number(1, 99) +
                     QLatin1String(".gif\" width=\"") + number(16, 640) +
                     QLatin1String("\" height=\"") + number(16, 480) + QLatin1String("\" alt=\"");
            appendWords(m_rnd.between(5, 30));
            m_out += QLatin1String("\">");
            break;
        default:
            appendWords(m_rnd.between(40, 120));
            break;
        }
    }

    /// Words separated by spaces, some in inline tags or followed by entities, until at least
    /// `chars` more characters are written.
    void appendWords(int chars) {
        const qsizetype stop = m_out.size() + chars;
        bool first = true;
        while (m_out.size() < stop) {
            if (!first)
                m_out += QLatin1Char(' ');
            first = false;
            const QString& word = m_words[m_rnd.between(0, static_cast<int>(m_words.size()) - 1)];
            const int roll = m_rnd.between(0, 99);
            if (roll < 3)
                m_out += QLatin1String("<b>") + word + QLatin1String("</b>");
            else if (roll < 5)
                m_out += QLatin1String("<a href=\"page") + number(1, 999) +
                         QLatin1String(".htm\">") + word + QLatin1String("</a>");
            else if (roll < 6)
                m_out += QLatin1String("&amp;");
            else if (roll < 7)
                m_out += word + QLatin1String("&nbsp;");
            else
                m_out += word;
        }
    }

    QString number(int lo, int hi) { return QString::number(m_rnd.between(lo, hi)); }

    Random m_rnd;
    std::vector<QString> m_words;
    QString m_out;
};

} // namespace

QString generateHtml(int targetChars, std::uint64_t seed) {
    return DocumentGenerator(seed).generate(targetChars);
}

} // namespace vellum::bench
