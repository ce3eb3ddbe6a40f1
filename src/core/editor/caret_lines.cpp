#include "core/editor/text_control.h"

#include <algorithm>

namespace vellum {

int CaretLine(const TextControl& control) {
    return control.lineFromPosition(-1);
}

void SetCaretLine(TextControl& control, int line) {
    line = std::max(line, 0);
    line = std::min(line, control.lineCount() - 1);
    const int position = line < 0 ? 0 : control.lineStart(line);
    control.setSelection(position, position);
}

void SetCaretColumn(TextControl& control, int column) {
    const int start = control.lineStart(CaretLine(control));
    column = std::max(column, 0);
    column = std::min(column, control.lineLength(start));
    control.setSelection(start + column, start + column);
}

QString normalizeLineBreaks(const QString& text) {
    return normalizeLineBreaks(text, nullptr);
}

QString normalizeLineBreaks(const QString& text, LineBreakKinds* kinds) {
    LineBreakKinds found;
    const QChar* const begin = text.constData();
    const qsizetype n = text.size();
    // A first pass finds whether anything other than CR LF is there; text that already has only
    // CR LF (as most files read from disk) is returned without a copy.
    qsizetype firstOther = -1;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = begin[i].unicode();
        if (c == u'\r') {
            if (i + 1 < n && begin[i + 1] == QLatin1Char('\n')) {
                found.crLf = true;
                ++i;
                continue;
            }
            found.cr = true;
        } else if (c == u'\n') {
            found.lf = true;
        } else {
            continue;
        }
        if (firstOther < 0)
            firstOther = i;
    }
    if (kinds)
        *kinds = found;
    if (firstOther < 0)
        return text;
    QString out;
    out.reserve(n + n / 16);
    out.append(begin, firstOther);
    qsizetype copied = firstOther;
    for (qsizetype i = firstOther; i < n; ++i) {
        const char16_t c = begin[i].unicode();
        if (c != u'\r' && c != u'\n')
            continue;
        out.append(begin + copied, i - copied);
        out.append(QLatin1String("\r\n"));
        if (c == u'\r' && i + 1 < n && begin[i + 1] == QLatin1Char('\n'))
            ++i;
        copied = i + 1;
    }
    out.append(begin + copied, n - copied);
    return out;
}

} // namespace vellum
