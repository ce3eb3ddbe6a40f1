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
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const int n = text.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out += QLatin1String("\r\n");
            if (i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace vellum
