#pragma once

#include <QStringView>
#include <QtGlobal>

#include <vector>

namespace vellum::html {

/// What a run of document text is, for colouring it.
enum class Kind : quint8 {
    Text,
    Tag,
    AttributeName,
    AttributeValue,
    Comment,
    Entity,
    Doctype,
    Script,
    Style
};

/// `length` characters of one kind from `start` in the paragraph.
struct Span {
    int start;
    int length;
    Kind kind;
};

/// The lexer's state between paragraphs: a small non-negative number (it is stored per paragraph
/// in an int; -1 is reserved by callers for "unknown"). 0 is plain text at the start of a document.
using State = int;

/// Every state lexLine returns is in [0, StateCount).
inline constexpr State StateCount = 17;

/// Lexes one paragraph (a line, without its line break) that begins in state `in`; appends the
/// coloured spans (Text is never appended; adjacent spans of one kind are merged; spans are in
/// order and do not overlap) to `spans`, and returns the state at the paragraph's end.
/// Spans already in `spans` are left as they are and never merged with. A line break lexes like a
/// space, so a construct continues on the next paragraph exactly as it would on the same one.
/// Whitespace and `=` inside a tag are Text. A state outside [0, StateCount) is taken as 0. Tags
/// are recognised as browsers do: the content of `script` and `style` elements is raw text up to
/// the first `</script` or `</style`, even inside a string; entities count only with their closing
/// `;`.
State lexLine(QStringView line, State in, std::vector<Span>& spans);

} // namespace vellum::html
