#pragma once

#include "core/editor/html_lexer.h"

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <functional>
#include <vector>

namespace vellum {

/// Characters of a paragraph that belong to one checked word.
struct WordPiece {
    int start = 0;
    int length = 0;
};

/// A word of the prose a reader sees, as the dictionary is asked about it. A word written with
/// tags inside it ("Ex<b>am</b>ple") has one piece per run of its letters; `text` joins them.
struct SpellingWord {
    QString text;
    QVarLengthArray<WordPiece, 2> pieces; // most words have one: kept without an allocation

    /// The first character of its first piece and the one after its last piece.
    int start() const { return pieces.front().start; }
    int end() const { return pieces.back().start + pieces.back().length; }
};

/// The words of a paragraph (a line without its line break) that a spelling check looks at, in
/// order, given the lexer's `spans` of it (as lexLine appends them). Only what a reader sees is
/// prose: text outside tags and the values of `alt` and `title`; tag and attribute names, other
/// values, comments, declarations, script and style content never are. A word runs on through
/// the tags of inline elements (b, i, em, span, a...) but not through others. Letters and the
/// apostrophes between them make a word. Left out: words with a digit, words of two or more
/// capitals and nothing else (abbreviations), words touching an entity that stands for a letter,
/// and every word of an address (a run of prose with "://", "@" or starting with "www.").
std::vector<SpellingWord> spellingWords(QStringView paragraph,
                                        const std::vector<html::Span>& spans);

/// The same for a paragraph that begins in lexer state `in` (lexes it first).
std::vector<SpellingWord> spellingWords(QStringView paragraph, html::State in);

/// One change of a paragraph: `length` characters from `start` become `text`.
struct PieceEdit {
    int start = 0;
    int length = 0;
    QString text;
};

/// How `word` becomes `replacement` without touching the tags inside it: each piece but the last
/// takes as many characters of the replacement as it had (fewer when it runs out), the last takes
/// the rest. The edits are in order from the last piece to the first, so that applying them one
/// after another keeps the earlier places right.
std::vector<PieceEdit> replacementEdits(const SpellingWord& word, const QString& replacement);

/// The `lang` attribute of the document's `html` start tag (a text with CR LF breaks), or an
/// empty string when it has none. Looks no further than the first `body` start tag or the first
/// 65536 characters.
QString documentLanguage(const QString& document);

/// The dictionary to check a document with: its language `lang` ("en-US", "en", "de") when a
/// dictionary for it is installed, else the user's locale `locale` ("en_US"), else none (an
/// empty string). A tag is tried as written (with "_" for "-") and then as its language alone;
/// `installed` says whether a dictionary exists for a tag such as "en_US" or "en".
QString spellingLanguage(const QString& lang, const QString& locale,
                         const std::function<bool(const QString&)>& installed);

} // namespace vellum
