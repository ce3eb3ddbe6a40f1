#pragma once

#include "core/editor/html_lexer.h"
#include "core/editor/spelling_words.h"

#include <QColor>
#include <QObject>
#include <QTextCharFormat>
#include <QTextLayout>
#include <QTimer>

#include <array>
#include <optional>
#include <vector>

class QPlainTextEdit;
class QTextBlock;
class QTextDocument;

namespace vellum {

class SpellDictionary;

/// Colours the HTML in an editor's text: tags, attribute names and values, comments, entities,
/// declarations, script and style content. Colours only, never another font, so a paragraph
/// wraps as it did.
///
/// Only what is about to be shown is coloured, just before the editor paints it; the lexer's
/// state at the end of each paragraph is kept with the paragraph, so reaching a paragraph
/// further down lexes only the paragraphs not lexed yet, and an edit lexes again only until a
/// paragraph starts in the state it started in before. A jump far ahead lexes the way there in
/// short slices while the editor stays responsive, and colours the view once there.
class HtmlHighlighter : public QObject {
public:
    explicit HtmlHighlighter(QPlainTextEdit& editor);

    /// On by default; turned off, every colour goes.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }

    /// Underlines the misspelt words of the prose (spellingWords) with a red wave as the
    /// paragraphs are coloured, asking `dictionary` in `language`; a null dictionary turns it off.
    /// The dictionary outlives the highlighter or is set to null first.
    void setSpelling(SpellDictionary* dictionary, const QString& language);
    SpellDictionary* spellDictionary() const { return m_dictionary; }
    const QString& spellingLanguage() const { return m_language; }
    /// Every paragraph is checked anew when next shown (words were added or ignored).
    void recheckSpelling();
    /// The misspelt word with a character at `positionInBlock` of `block` (or ending just there),
    /// or nothing when spelling is off or the word there is right.
    std::optional<SpellingWord> misspeltAt(const QTextBlock& block, int positionInBlock);

    /// Colours the paragraphs from `first` through paragraph number `lastNumber` (those in view)
    /// that are not coloured yet; the editor calls it before it paints.
    void colourVisible(const QTextBlock& first, int lastNumber);

    /// Whether the paragraph's layout carries colours (the quick line count leaves such a
    /// paragraph to the real layout). Never creates a layout.
    static bool hasColours(const QTextBlock& block);
    /// The layout is taking in new colours, which change no line.
    bool isColouring() const { return m_colouring > 0; }

    /// Paragraphs longer than this keep their plain look: colouring one would cut its layout into
    /// as many pieces as it has tags.
    static constexpr int MaxColouredLength = 20000;

private:
    void onContentsChange(int from, int removed, int added);
    void reset();
    /// Lexes on until the states of every paragraph before `target` are known; false when
    /// `budget` characters were lexed before getting there.
    bool advance(int target, qint64 budget);
    html::State lexForState(QTextBlock block, html::State start);
    void colour(QTextBlock block, html::State start);
    void setColours(QTextBlock block, const QList<QTextLayout::FormatRange>& ranges);
    void lexAhead();
    void chooseColours();
    void markUncoloured();
    void addMisspelt(const QTextBlock& block, const QString& text,
                     QList<QTextLayout::FormatRange>& ranges);
    void onCaretMoved();
    /// Puts into `ranges` the underlines `block` had, moved for the edit being taken in.
    void carryMisspelt(const QTextBlock& block, QList<QTextLayout::FormatRange>& ranges) const;
    /// Judges the words of the paragraph being typed in, all but the one at the caret.
    void judgeTyping();
    /// Has `block` coloured again when it is next drawn, for the words judged since.
    void uncolour(QTextBlock block);

    QPlainTextEdit& m_editor;
    QTextDocument* m_document;
    bool m_enabled = true;
    // Paragraphs before m_trustedBefore have end states that follow from the ones before them.
    int m_trustedBefore = 0;
    // Every paragraph before m_lexedUpTo has been lexed, and all but the edited ones (at most up
    // to m_editedUpTo) still have the state they were lexed with.
    int m_lexedUpTo = 0;
    int m_editedUpTo = -1;
    int m_blockCount = 1;
    int m_colouring = 0;
    int m_target = -1; ///< the paragraph the slices lex towards
    QTimer m_slices;
    std::vector<html::Span> m_spans;
    std::array<QTextCharFormat, 9> m_formats;
    QColor m_coloursFor; ///< the base colour the colours were chosen for
    SpellDictionary* m_dictionary = nullptr;
    QString m_language;
    QTextCharFormat m_misspelt;
    // Where the caret is after the latest keystroke while the user types, else -1. The word
    // there is being typed: it is neither judged nor underlined until the caret leaves it.
    int m_typingAt = -1;
    bool m_judgeTyping = false;
    QTimer m_judgeLater;
    static constexpr int JudgeTypingAfterMs = 300;
    struct Edit {
        int from = -1; ///< none being taken in
        int removed = 0;
        int added = 0;
    } m_edit; ///< the latest change of the text, until its paragraphs are coloured
};

} // namespace vellum
