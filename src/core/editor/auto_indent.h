#pragma once

#include "core/editor/text_control.h"

#include <QString>

namespace vellum {

/// The one-shot flag that Enter-bound commands set so that the release of their Enter key adds
/// no indentation.
inline constexpr char NoEnter[] = "noEnter";

/// How the indentation on the release of Enter ended.
enum class IndentEnd {
    Skipped, ///< the one-shot flag was set (and is now cleared): the line display stays as it was
    Normal,  ///< the caller shows the selection again and updates the line display
};

/// Indents the line that Enter just created like the line above it: the run of tabs, or else of
/// spaces, that the line above starts with is inserted at the start of the caret's line (one kind
/// only; a line starting with tabs then spaces gives its tabs). Nothing is inserted when
/// indentation is off (`enabled` false), when the keys held were exactly Shift, or when the line
/// above is empty. On an empty final line one space is inserted at the caret first, and stays.
/// The selection display is hidden while the lines are probed; the caller shows it again.
IndentEnd autoIndent(TextControl& editor, QString& enterFlag, bool enabled, bool exactlyShift);

} // namespace vellum
