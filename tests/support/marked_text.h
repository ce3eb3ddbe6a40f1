#pragma once

#include "core/editor/text_control.h"

#include <QString>

namespace vellum::test {

/// A text drawn with its selection: "|" is a bare caret; "[" and "]" enclose a selection, the
/// anchor at "[" and the caret at "]".
struct MarkedText {
    QString text;
    int anchor = 0;
    int caret = 0;
};

inline MarkedText parseMarked(QString drawn) {
    MarkedText out;
    const int bare = drawn.indexOf(QLatin1Char('|'));
    if (bare >= 0) {
        drawn.remove(bare, 1);
        out.anchor = out.caret = bare;
    } else {
        out.anchor = drawn.indexOf(QLatin1Char('['));
        drawn.remove(out.anchor, 1);
        out.caret = drawn.indexOf(QLatin1Char(']'));
        drawn.remove(out.caret, 1);
    }
    out.text = drawn;
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
