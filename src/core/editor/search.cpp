#include "core/editor/search.h"

#include "core/app/prompter.h"

#include <algorithm>
#include <vector>

namespace vellum {

namespace {

// The characters that fold to the same capital as `c`: the one to scan the text for.
std::vector<char16_t> foldVariants(char16_t c) {
    const char16_t upper = searchFold(c);
    std::vector<char16_t> variants{upper};
    if (upper >= u'A' && upper <= u'Z')
        variants.push_back(upper + 32);
    else if (upper >= 0xC0 && upper <= 0xDE && upper != 0xD7)
        variants.push_back(upper + 32);
    else if (upper == 0x178)
        variants.push_back(0xFF);
    else if (upper == 0x160 || upper == 0x152 || upper == 0x17D)
        variants.push_back(upper + 1);
    return variants;
}

bool matchesAt(QStringView text, qsizetype at, QStringView pattern, bool matchCase) {
    const qsizetype m = pattern.size();
    const char16_t* t = text.utf16() + at;
    const char16_t* p = pattern.utf16();
    if (matchCase)
        return std::equal(p, p + m, t);
    for (qsizetype i = 0; i < m; ++i) {
        if (searchFold(t[i]) != searchFold(p[i]))
            return false;
    }
    return true;
}

// The first match at or after `from` that fits in the text, or -1.
qsizetype scanForward(QStringView text, QStringView pattern, qsizetype from, bool matchCase) {
    const qsizetype last = text.size() - pattern.size();
    if (matchCase) {
        const qsizetype at = text.indexOf(pattern, from, Qt::CaseSensitive);
        return at <= last ? at : -1;
    }
    // Each character that folds to the pattern's first one is scanned for on its own, which the
    // library does many characters at a time; only those places are compared.
    const std::vector<char16_t> variants = foldVariants(pattern.front().unicode());
    std::vector<qsizetype> next(variants.size(), -2); // -2: not looked for yet
    qsizetype position = from;
    while (position <= last) {
        qsizetype candidate = -1;
        for (size_t v = 0; v < variants.size(); ++v) {
            if (next[v] != -1 && next[v] < position)
                next[v] = text.indexOf(QChar(variants[v]), position);
            if (next[v] != -1 && (candidate == -1 || next[v] < candidate))
                candidate = next[v];
        }
        if (candidate == -1 || candidate > last)
            return -1;
        if (matchesAt(text, candidate, pattern, false))
            return candidate;
        position = candidate + 1;
    }
    return -1;
}

// The last match starting at or before `from`, or -1.
qsizetype scanBackward(QStringView text, QStringView pattern, qsizetype from, bool matchCase) {
    if (matchCase)
        return text.left(from + pattern.size()).lastIndexOf(pattern, from, Qt::CaseSensitive);
    const std::vector<char16_t> variants = foldVariants(pattern.front().unicode());
    std::vector<qsizetype> next(variants.size(), from + 1);
    qsizetype position = from;
    while (position >= 0) {
        qsizetype candidate = -1;
        for (size_t v = 0; v < variants.size(); ++v) {
            if (next[v] > position)
                next[v] = text.left(position + 1).lastIndexOf(QChar(variants[v]));
            candidate = std::max(candidate, next[v]);
        }
        if (candidate < 0)
            return -1;
        if (matchesAt(text, candidate, pattern, false))
            return candidate;
        position = candidate - 1;
    }
    return -1;
}

// Whole-word search, step by step as defined: at each place the search first moves to the next
// word start, then compares.
qsizetype wholeWordSearch(QStringView text, QStringView pattern, qsizetype start, qsizetype count,
                          bool backward, bool matchCase, char16_t following) {
    const qsizetype n = text.size();
    const qsizetype m = pattern.size();
    const auto at = [&](qsizetype i) -> char16_t { return i < n ? text[i].unicode() : following; };
    qsizetype p = start;
    // Upward, a delimiter at the very start would send the search back to the word it has just
    // tried, for ever: a place is never tried twice.
    qsizetype tried = backward ? n + 1 : -1;
    while (count >= 0) {
        if (!backward) {
            while (count > 0 && isWordCharacter(at(p))) {
                ++p;
                --count;
            }
            while (count > 0 && !isWordCharacter(at(p))) {
                ++p;
                --count;
            }
        } else {
            while (count > 0 && !isWordCharacter(at(p))) {
                --p;
                --count;
            }
            while (count > 0 && isWordCharacter(at(p))) {
                --p;
                --count;
            }
            if (!isWordCharacter(at(p))) {
                ++p;
                ++count;
            }
            if (p >= tried)
                return -1;
            tried = p;
        }
        if (matchesAt(text, p, pattern, matchCase) &&
            (count == 0 || !isWordCharacter(at(p + m))))
            return p;
        p += backward ? -1 : 1;
        --count;
    }
    return -1;
}

} // namespace

char16_t searchFold(char16_t c) {
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return char16_t(c - 32);
    switch (c) {
    case 0xFF:
        return 0x178;
    case 0x161:
    case 0x153:
    case 0x17E:
        return char16_t(c - 1);
    default:
        return c;
    }
}

bool isWordCharacter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

bool equalFolded(QStringView a, QStringView b) {
    return a.size() == b.size() && (a.isEmpty() || matchesAt(a, 0, b, false));
}

qsizetype findInText(QStringView text, QStringView pattern, qsizetype selStart,
                     qsizetype selLength, const SearchOptions& options, char16_t following) {
    const qsizetype n = text.size();
    const qsizetype m = pattern.size();
    if (m == 0 || n == 0)
        return -1;
    qsizetype start = 0;
    qsizetype count = 0;
    if (!options.backward) {
        start = selStart + selLength;
        count = n - start - m;
        if (count < 0)
            return -1;
    } else {
        start = selStart - m;
        count = start;
    }
    if (start < 0 || start > n)
        return -1;
    if (options.wholeWord)
        return wholeWordSearch(text, pattern, start, count, options.backward, options.matchCase,
                               following);
    return options.backward ? scanBackward(text, pattern, start, options.matchCase)
                            : scanForward(text, pattern, start, options.matchCase);
}

bool SearchText(TextControl& editor, const QString& pattern, const SearchOptions& options) {
    if (pattern.isEmpty())
        return false;
    const QString text = editor.text();
    const Selection selection = editor.selection();
    const qsizetype at =
        findInText(text, pattern, selection.start, selection.length(), options);
    if (at < 0)
        return false;
    editor.setSelection(static_cast<int>(at), static_cast<int>(at + pattern.size()));
    return true;
}

QString cannotFindMessage(const QString& findText) {
    return QStringLiteral("Cannot find \"") + findText + QStringLiteral("\".");
}

bool Find(TextControl& editor, SearchState& state, Prompter& prompter) {
    if (state.fromTop) {
        SetCaretColumn(editor, 0);
        state.upward = false;
    }
    if (state.replaceMode && equalFolded(editor.selectedText(), state.findText))
        editor.replaceSelection(state.replaceText);
    state.fromTop = false;
    if (SearchText(editor, state.findText, state.options())) {
        state.lastFailed = false;
        return true;
    }
    prompter.inform(cannotFindMessage(state.findText));
    state.replaceMode = false;
    state.lastFailed = true;
    return false;
}

ReplacePlan planReplaceRemaining(QStringView text, qsizetype selStart, qsizetype selLength,
                                 const SearchState& state) {
    const QStringView find = state.findText;
    const QStringView replace = state.replaceText;
    const SearchOptions options = state.options();
    const qsizetype m = find.size();
    ReplacePlan plan;
    // The first step replaces the selection when it is a hit (an empty find text matches an empty
    // selection once); every later step replaces the hit the step before selected.
    const bool first = equalFolded(text.mid(selStart, selLength), find);
    if (!options.backward) {
        qsizetype copied = selStart + selLength; // the old text is taken up to here
        QString out;
        if (first) {
            plan.from = selStart;
            out += replace;
            plan.count = 1;
        }
        qsizetype hit = findInText(text, find, first ? copied : selStart, first ? 0 : selLength,
                                   options);
        if (!first && hit >= 0) {
            plan.from = hit;
            copied = hit;
        }
        while (hit >= 0) {
            out += text.mid(copied, hit - copied);
            out += replace;
            copied = hit + m;
            ++plan.count;
            hit = findInText(text, find, copied, 0, options);
        }
        plan.to = copied;
        plan.replacement = std::move(out);
        plan.caret = plan.from + plan.replacement.size();
        return plan;
    }
    // Upward, the text before `boundary` is untouched and a hit must end there: what the loop
    // has inserted after it is never searched again.
    qsizetype boundary = selStart;
    char16_t following = selStart < text.size() ? text[selStart].unicode() : 0;
    std::vector<QStringView> pieces; // from right to left
    if (first) {
        plan.to = selStart + selLength;
        pieces.push_back(replace);
        plan.count = 1;
        if (!replace.isEmpty())
            following = replace.front().unicode();
        else if (plan.to < text.size())
            following = text[plan.to].unicode();
    }
    for (;;) {
        const qsizetype hit =
            findInText(text.left(boundary), find, boundary, 0, options, following);
        if (hit < 0)
            break;
        if (plan.count == 0)
            plan.to = hit + m;
        else
            pieces.push_back(text.mid(hit + m, boundary - hit - m));
        pieces.push_back(replace);
        ++plan.count;
        if (!replace.isEmpty())
            following = replace.front().unicode();
        else if (hit + m < boundary)
            following = text[hit + m].unicode();
        boundary = hit;
    }
    if (plan.count == 0)
        return plan;
    plan.from = boundary;
    QString out;
    for (auto it = pieces.rbegin(); it != pieces.rend(); ++it)
        out += *it;
    plan.replacement = std::move(out);
    plan.caret = plan.from + replace.size();
    return plan;
}

qsizetype ReplaceRemaining(TextControl& editor, SearchState& state, Prompter& prompter) {
    state.replaceMode = true;
    if (state.fromTop) {
        SetCaretColumn(editor, 0);
        state.upward = false;
    }
    state.fromTop = false;
    const Selection selection = editor.selection();
    const ReplacePlan plan =
        planReplaceRemaining(editor.text(), selection.start, selection.length(), state);
    if (plan.count > 0) {
        // One replacement of the part that changes: the same text, caret and undo history as
        // the steps one by one, with one relayout.
        editor.setSelection(static_cast<int>(plan.from), static_cast<int>(plan.to));
        editor.replaceSelection(plan.replacement);
        editor.setSelection(static_cast<int>(plan.caret), static_cast<int>(plan.caret));
    }
    prompter.inform(cannotFindMessage(state.findText));
    state.replaceMode = false;
    state.lastFailed = true;
    return plan.count;
}

QString withoutTags(QStringView text) {
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (;;) {
        const qsizetype open = text.indexOf(u'<', copied);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(u'>', open + 1);
        if (close < 0)
            break;
        out += text.mid(copied, open - copied);
        copied = close + 1;
    }
    out += text.mid(copied);
    return out;
}

void killtags(TextControl& editor) {
    const Selection selection = editor.selection();
    if (selection.length() > 0)
        editor.replaceSelection(withoutTags(editor.selectedText()));
    editor.setSelection(selection.start, selection.start);
}

} // namespace vellum
