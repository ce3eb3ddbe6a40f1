#pragma once

#include "core/editor/search_settings.h"
#include "core/editor/text_control.h"

#include <QString>
#include <QStringView>

namespace vellum {

class Prompter;

/// How SearchText looks.
struct SearchOptions {
    bool backward = false;
    bool matchCase = false;
    bool wholeWord = false;
};

/// The character a search compares, without regard to case unless asked: ASCII letters and the
/// Latin-1 letters (and the Windows-1252 letters Š, Œ, Ž, Ÿ) fold to their capitals; every other
/// character stays as it is.
char16_t searchFold(char16_t c);

/// True for the characters a whole word is made of: the ASCII letters and digits.
bool isWordCharacter(char16_t c);

/// Where `pattern` is found in `text` when searching from the selection [selStart, selStart +
/// selLength): forward from the end of the selection, backward for the nearest match that ends at
/// or before its start. Whole-word search passes over the word at which it begins. No
/// wrap-around. `following` is the character after `text` when `text` is the first part of a
/// longer one (0: the text ends there). Returns the match's start, or -1.
qsizetype findInText(QStringView text, QStringView pattern, qsizetype selStart, qsizetype selLength,
                     const SearchOptions& options, char16_t following = 0);

/// Searches the editor's text for `pattern` from its selection; on success selects the match and
/// returns true, else leaves the selection alone and returns false.
bool SearchText(TextControl& editor, const QString& pattern, const SearchOptions& options);

/// True when two texts are equal without regard to case, as a search compares.
bool equalFolded(QStringView a, QStringView b);

/// The search state the find windows and the Find Again command share: the texts, the option
/// boxes, and what the last step left. Checking from the top (`fromTop`) starts the next step at
/// the start of the caret's line and holds for one step.
struct SearchState : StoredSearchOptions {
    QString findText;
    QString replaceText;
    /// The next step first replaces a selection that equals the find text.
    bool replaceMode = false;
    /// The last step found nothing.
    bool lastFailed = false;

    SearchOptions options() const { return {upward, matchCase, wholeWord}; }
};

/// "Cannot find "TEXT"."
QString cannotFindMessage(const QString& findText);

/// One search step on `editor`: from the top of the caret's line when asked, replacing a selected
/// hit first in replace mode, then searching on. A step that finds nothing says so through
/// `prompter` and ends replace mode. Returns true when something was found.
bool Find(TextControl& editor, SearchState& state, Prompter& prompter);

/// What replacing every remaining hit does to a text, worked out in one pass.
struct ReplacePlan {
    /// The part of the text that changes, [from, to) of the old text, and what replaces it.
    qsizetype from = 0;
    qsizetype to = 0;
    QString replacement;
    /// Hits replaced.
    qsizetype count = 0;
    /// Where the caret ends in the new text (nothing selected), when anything was replaced.
    qsizetype caret = 0;
};

/// The outcome of Find repeated while replace mode lasts, from the selection [selStart, selStart
/// + selLength) of `text`: each step replaces the selected hit and finds the next. Searching
/// upward, a hit never overlaps text the loop has just inserted, so a replacement holding the find
/// text cannot be found again and the loop always ends.
ReplacePlan planReplaceRemaining(QStringView text, qsizetype selStart, qsizetype selLength,
                                 const SearchState& state);

/// Replace Remaining on `editor`: replace mode on, then every remaining hit replaced as repeated
/// Find steps would, the editor changed in one replacement at the end; the step that finds nothing
/// gives the only message. Returns how many hits were replaced.
qsizetype ReplaceRemaining(TextControl& editor, SearchState& state, Prompter& prompter);

/// `text` without its tags: a tag runs from a "<" to the first ">" after it, whatever lies
/// between. A "<" with no ">" after it ends the removal: it and all after it stay.
QString withoutTags(QStringView text);

/// Removes every tag from the editor's selection in one replacement (not recorded for undo); the
/// caret then stands where the selection began, nothing selected.
void killtags(TextControl& editor);

} // namespace vellum
