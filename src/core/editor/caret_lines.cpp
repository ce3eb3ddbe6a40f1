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

} // namespace vellum
