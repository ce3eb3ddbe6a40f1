#include "core/editor/start_tag.h"

#include "core/editor/html_lexer.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace vellum {

namespace {

bool isSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool endsName(QChar c) {
    return isSpace(c) || c == u'>' || c == u'/' || c == u'=';
}

struct Reference {
    const char* name;
    char16_t character;
};

// The named references an attribute value is likely to hold; others are left as written.
constexpr Reference NamedReferences[] = {
    {"amp", u'&'}, {"quot", u'"'}, {"lt", u'<'}, {"gt", u'>'}, {"apos", u'\''}, {"nbsp", u'\u00a0'},
};

// The character a reference at `at` ("&...;") stands for, and its length; 0 when none starts here.
int readReference(QStringView text, int at, QString& out) {
    const int semicolon = static_cast<int>(text.indexOf(u';', at + 1));
    if (semicolon < 0 || semicolon - at > 10)
        return 0;
    const QStringView body = text.sliced(at + 1, semicolon - at - 1);
    if (body.startsWith(u'#')) {
        const bool hex = body.size() > 1 && (body[1] == u'x' || body[1] == u'X');
        const QStringView digits = body.sliced(hex ? 2 : 1);
        // Digit by digit: a number conversion would stop quietly at a NUL inside the text.
        char32_t code = 0;
        for (const QChar c : digits) {
            const int digit = c >= u'0' && c <= u'9'          ? c.unicode() - u'0'
                              : hex && c >= u'a' && c <= u'f' ? c.unicode() - u'a' + 10
                              : hex && c >= u'A' && c <= u'F' ? c.unicode() - u'A' + 10
                                                              : -1;
            if (digit < 0 || code > 0x10FFFF)
                return 0;
            code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
        }
        if (digits.isEmpty() || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return 0;
        out = QString::fromUcs4(&code, 1);
        return semicolon - at + 1;
    }
    for (const Reference& reference : NamedReferences) {
        if (body == QLatin1String(reference.name)) {
            out = QChar(reference.character);
            return semicolon - at + 1;
        }
    }
    return 0;
}

} // namespace

const TagAttribute* StartTag::attribute(QStringView wanted) const {
    for (const TagAttribute& attribute : attributes) {
        if (attribute.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &attribute;
    }
    return nullptr;
}

QString StartTag::value(QStringView wanted, const QString& fallback) const {
    const TagAttribute* found = attribute(wanted);
    return found ? found->value : fallback;
}

bool stillHolds(const QString& document, const StartTag& tag) {
    return QStringView(document).mid(tag.start, tag.end - tag.start) == tag.text;
}

QString decodeEntities(QStringView value) {
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        QString character;
        const int length = value[i] == u'&' ? readReference(value, i, character) : 0;
        if (length == 0) {
            out += value[i];
            continue;
        }
        out += character;
        i += length - 1;
    }
    return out;
}

QString encodeAttributeValue(QStringView value, QChar quote) {
    QString out;
    out.reserve(value.size());
    for (int i = 0; i < value.size(); ++i) {
        QString ignored;
        if (value[i] == u'&' && readReference(value, i, ignored) > 0)
            out += QLatin1String("&amp;");
        else if (!quote.isNull() && value[i] == quote)
            out += quote == u'"' ? QLatin1String("&quot;") : QLatin1String("&#39;");
        else
            out += value[i];
    }
    return out;
}

std::optional<StartTag> parseStartTag(const QString& text) {
    const int n = static_cast<int>(text.size());
    if (n < 3 || text[0] != u'<' || !isAsciiLetter(text[1]) || text[n - 1] != u'>')
        return std::nullopt;
    StartTag tag;
    tag.end = n;
    tag.text = text;
    int i = 1;
    while (i < n && !endsName(text[i]))
        ++i;
    tag.name = text.mid(1, i - 1).toUpper();
    while (i < n - 1) {
        if (isSpace(text[i]) || text[i] == u'/') {
            ++i;
            continue;
        }
        TagAttribute attribute;
        attribute.start = i;
        // A name runs up to what ends it; a stray "=" at its start belongs to it, as browsers read.
        const int nameStart = i++;
        while (i < n - 1 && !endsName(text[i]))
            ++i;
        attribute.name = text.mid(nameStart, i - nameStart);
        attribute.end = i;
        attribute.valueStart = attribute.valueEnd = i;
        int after = i;
        while (after < n - 1 && isSpace(text[after]))
            ++after;
        if (after < n - 1 && text[after] == u'=') {
            int v = after + 1;
            while (v < n - 1 && isSpace(text[v]))
                ++v;
            attribute.hasValue = true;
            if (v < n - 1 && (text[v] == u'"' || text[v] == u'\'')) {
                const int close = static_cast<int>(text.indexOf(text[v], v + 1));
                if (close < 0 || close > n - 1)
                    return std::nullopt; // a quote left open runs past the tag's end
                attribute.quote = text[v];
                attribute.value = decodeEntities(QStringView(text).sliced(v + 1, close - v - 1));
                attribute.valueStart = v + 1;
                attribute.valueEnd = close;
                i = close + 1;
            } else {
                int e = v;
                while (e < n - 1 && !isSpace(text[e]))
                    ++e;
                attribute.value = decodeEntities(QStringView(text).sliced(v, e - v));
                attribute.valueStart = v;
                attribute.valueEnd = e;
                i = e;
            }
            attribute.end = i;
        }
        tag.attributes.append(attribute);
    }
    return tag;
}

void forEachStartTag(const QString& document, const std::function<bool(int, int)>& visit) {
    const int n = static_cast<int>(document.size());
    html::State state = 0;
    int open = -1; // the "<" of the start tag being read, across lines
    std::vector<html::Span> spans;
    for (int lineStart = 0; lineStart <= n;) {
        int lineEnd = static_cast<int>(document.indexOf(QLatin1String("\r\n"), lineStart));
        if (lineEnd < 0)
            lineEnd = n;
        spans.clear();
        state = html::lexLine(QStringView(document).sliced(lineStart, lineEnd - lineStart), state,
                              spans);
        for (const html::Span& span : spans) {
            if (span.kind != html::Kind::Tag)
                continue;
            // Tag pieces that touch share one span ("<B>", "</B><I>"): the "<" of a name opens a
            // tag, and each ">" closes the one open.
            const int spanEnd = lineStart + span.start + span.length;
            for (int at = lineStart + span.start; at < spanEnd; ++at) {
                if (document[at] == u'<') {
                    open = at + 1 < n && document[at + 1] != u'/' ? at : -1;
                    continue;
                }
                if (open < 0 || document[at] != u'>')
                    continue;
                const int start = open;
                open = -1;
                if (!visit(start, at + 1))
                    return;
            }
        }
        lineStart = lineEnd + 2;
    }
}

std::optional<StartTag> startTagAt(const QString& document, int caret) {
    if (caret < 0 || caret > document.size())
        return std::nullopt;
    std::optional<StartTag> found;
    forEachStartTag(document, [&](int open, int end) {
        // Tags come in order: none from here on holds the caret.
        if (open > caret)
            return false;
        // The caret from the "<" to the ">", or just after it; a tag that starts at the caret
        // wins over one that ends there.
        if (caret <= end && (!found || found->end == caret)) {
            if (std::optional<StartTag> tag = parseStartTag(document.mid(open, end - open))) {
                tag->start = open;
                tag->end = end;
                found = tag;
            }
        }
        return !(end > caret && found);
    });
    return found;
}

QString rewriteStartTag(const StartTag& original, const StartTag& generated,
                        const QStringList& helperAttributes) {
    if (original.name != generated.name)
        return generated.text;
    const auto helpers = [&](const QString& name) {
        return helperAttributes.contains(name.toLower());
    };
    // Where each attribute the helper does not write goes: after the generated attribute that
    // stands for the helper's attribute it followed, or after the name; with what stood before
    // it, so that its own spacing (a line break, a slash) stays with it.
    QList<QString> after(generated.attributes.size() + 1);
    int anchor = 0;
    bool any = false;
    int previousEnd = 1;
    while (previousEnd < original.text.size() && !endsName(original.text[previousEnd]))
        ++previousEnd;
    for (const TagAttribute& attribute : original.attributes) {
        const QString before = original.text.mid(previousEnd, attribute.start - previousEnd);
        previousEnd = attribute.end;
        if (helpers(attribute.name)) {
            for (int g = 0; g < generated.attributes.size(); ++g) {
                if (generated.attributes[g].name.compare(attribute.name, Qt::CaseInsensitive) == 0)
                    anchor = g + 1;
            }
            continue;
        }
        const bool spaced = std::any_of(before.begin(), before.end(), isSpace);
        after[anchor] += (spaced ? before : QLatin1Char(' ') + before) +
                         original.text.mid(attribute.start, attribute.end - attribute.start);
        any = true;
    }
    if (!any)
        return generated.text;
    QString out = generated.text;
    // From the last place to the first, so that the places before stay where they were.
    for (int g = static_cast<int>(generated.attributes.size()); g >= 0; --g) {
        if (after[g].isEmpty())
            continue;
        const int at =
            g == 0 ? 1 + static_cast<int>(generated.name.size()) : generated.attributes[g - 1].end;
        out.insert(at, after[g]);
    }
    return out;
}

} // namespace vellum
