#pragma once

#include "core/editor/text_control.h"

#include <QString>

namespace vellum::test {

/// A text drawn with its selection: "|" is a bare caret; "[" is the anchor and "]" the caret of a
/// selection, in either order ("a]bc[d" is selected backwards).
struct MarkedText {
    QString text;
    int anchor = 0;
    int caret = 0;
};

inline MarkedText parseMarked(const QString& drawn) {
    MarkedText out;
    for (const QChar c : drawn) {
        if (c == QLatin1Char('[') || c == QLatin1Char('|'))
            out.anchor = static_cast<int>(out.text.size());
        if (c == QLatin1Char(']') || c == QLatin1Char('|'))
            out.caret = static_cast<int>(out.text.size());
        if (c != QLatin1Char('[') && c != QLatin1Char(']') && c != QLatin1Char('|'))
            out.text += c;
    }
    return out;
}

/// The control's text drawn as parseMarked reads it (start and end of the selection).
inline QString drawMarked(const TextControl& control) {
    QString text = control.text();
    const Selection s = control.selection();
    if (s.length() == 0)
        return text.insert(s.start, QLatin1Char('|'));
    return text.insert(s.end, QLatin1Char(']')).insert(s.start, QLatin1Char('['));
}

} // namespace vellum::test
