#pragma once

#include <QString>

namespace vellum {

class Insertions;
class TextControl;

/// The line break every helper writes.
inline const QString CrLf = QStringLiteral("\r\n");

/// `n` tab characters; none for 0 or less.
QString tabs(int n);

/// What to insert through the scratch editor and what to do afterwards, in this order: the text
/// in place of the scratch editor's selection; a fresh line (openFreshLine) when `freshLine`; the
/// text into the document (insertScratch); gotoLine(`gotoLine`). When `insert` is false nothing at
/// all is done; `tooLarge` then says when that is because the text would not fit in the scratch
/// editor.
struct ScratchCode {
    QString text;
    bool insert = false;
    bool freshLine = false;
    int gotoLine = 0;
    bool tooLarge = false;
};

/// Puts `code` into the active document as ScratchCode describes. Returns whether it did: false
/// without a document or when the code inserts nothing.
bool insertScratchCode(Insertions& insertions, TextControl& scratch, const ScratchCode& code);

} // namespace vellum
