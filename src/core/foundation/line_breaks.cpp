#include "core/foundation/line_breaks.h"

#include "core/foundation/char_scan.h"

#include <cstring>

namespace vellum {

QString withLineBreak(const QString& crlfText, QStringView lineBreak) {
    if (lineBreak == QLatin1String("\r\n"))
        return crlfText;
    const qsizetype n = crlfText.size();
    QString out;
    const QChar* const text = crlfText.constData();
    qsizetype copied = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (text[i] != QLatin1Char('\r') || text[i + 1] != QLatin1Char('\n'))
            continue;
        if (copied == 0)
            out.reserve(n); // the breaks named above are never longer than a CR LF
        out.append(text + copied, i - copied);
        out.append(lineBreak);
        copied = i + 2;
        ++i;
    }
    if (copied == 0)
        return crlfText;
    out.append(text + copied, n - copied);
    return out;
}

// One pass over the text: QString::replace with a replacement of another length moves the whole
// rest of the string once per 1024 matches, which is quadratic (about a quarter of a second on a
// 20 MB text).
QString lineFeedBreaks(const QString& text) {
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    const QChar* from = text.constData();
    const QChar* const end = from + text.size();
    while (from != end) {
        const QChar c = *from++;
        if (c == QLatin1Char('\r')) {
            *to++ = QLatin1Char('\n');
            if (from != end && *from == QLatin1Char('\n'))
                ++from;
        } else {
            *to++ = c;
        }
    }
    out.truncate(to - out.constData());
    return out;
}

QString normalizeLineBreaks(const QString& text) {
    return normalizeLineBreaks(QString(text), nullptr);
}

QString normalizeLineBreaks(const QString& text, LineBreakKinds* kinds) {
    return normalizeLineBreaks(QString(text), kinds);
}

QString normalizeLineBreaks(QString&& text, LineBreakKinds* kinds) {
    LineBreakKinds found;
    const QStringView all(text);
    const QStringView breaks(u"\r\n");
    const qsizetype n = text.size();
    // A first pass finds whether anything other than CR LF is there; text that already has only
    // CR LF (as most files read from disk) is returned without a copy.
    qsizetype lone = 0;
    for (qsizetype i = indexOfAnyOf(all, 0, breaks); i >= 0; i = indexOfAnyOf(all, i + 1, breaks)) {
        if (all[i] == u'\r' && i + 1 < n && all[i + 1] == u'\n') {
            found.crLf = true;
            ++i;
            continue;
        }
        (all[i] == u'\r' ? found.cr : found.lf) = true;
        ++lone;
    }
    if (kinds)
        *kinds = found;
    if (lone == 0)
        return std::move(text);
    // Each lone break takes one character more. The text is widened where it is (when nobody
    // else holds it and it has the room, as a decoded file is given), from its end: each line
    // moves right by the breaks still before it.
    text.resize(n + lone);
    char16_t* const chars = reinterpret_cast<char16_t*>(text.data());
    qsizetype read = n;
    qsizetype write = n + lone;
    while (write != read) {
        const qsizetype at = lastIndexOfAnyOf(QStringView(chars, read), read - 1, breaks);
        const qsizetype line = read - (at + 1);
        write -= line;
        std::memmove(chars + write, chars + at + 1,
                     static_cast<std::size_t>(line) * sizeof(char16_t));
        const bool crLf = chars[at] == u'\n' && at > 0 && chars[at - 1] == u'\r';
        chars[--write] = u'\n';
        chars[--write] = u'\r';
        read = crLf ? at - 1 : at;
    }
    return std::move(text);
}

QString paragraphsToCrLf(const QString& text) {
    const qsizetype breaks = text.count(QChar::ParagraphSeparator);
    if (breaks == 0)
        return text;
    // Copied a line at a time into room made once.
    QString out;
    out.reserve(text.size() + breaks);
    const QStringView all(text);
    qsizetype from = 0;
    for (qsizetype at = all.indexOf(QChar::ParagraphSeparator); at >= 0;
         at = all.indexOf(QChar::ParagraphSeparator, from)) {
        out.append(all.sliced(from, at - from)).append(QLatin1String("\r\n"));
        from = at + 1;
    }
    out.append(all.sliced(from));
    return out;
}

} // namespace vellum
