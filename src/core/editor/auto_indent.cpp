#include "core/editor/auto_indent.h"

namespace vellum {

IndentEnd autoIndent(TextControl& editor, QString& enterFlag, bool enabled, bool exactlyShift) {
    if (enterFlag == QLatin1String(NoEnter)) {
        enterFlag.clear();
        return IndentEnd::Skipped;
    }
    if (!enabled || exactlyShift)
        return IndentEnd::Normal;
    editor.setSelectionHidden(true);
    const int line = CaretLine(editor);
    if (line == editor.lineCount())
        editor.replaceSelection(QStringLiteral(" "));
    if (line < 1)
        return IndentEnd::Normal;
    const QString above = editor.lineText(line - 1);
    if (above.isEmpty())
        return IndentEnd::Normal;
    const QChar kind = above.at(0);
    int count = 0;
    if (kind == QLatin1Char('\t') || kind == QLatin1Char(' ')) {
        while (count < above.size() && above.at(count) == kind)
            ++count;
    }
    const int start = editor.lineStart(line);
    editor.setSelection(start, start);
    // One character at a time, as typing would; the caret ends after them.
    for (int i = 0; i < count; ++i)
        editor.replaceSelection(QString(kind));
    return IndentEnd::Normal;
}

} // namespace vellum
