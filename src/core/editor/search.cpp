#include "core/editor/search.h"

#include "core/foundation/prompter.h"

#include <algorithm>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace vellum {

namespace {

// The characters that fold to the same capital as a pattern character: one, or two for a letter.
struct Variants {
    char16_t first = 0;
    char16_t second = 0; // 0: none
};

Variants foldVariants(char16_t c) {
    const char16_t upper = searchFold(c);
    if ((upper >= u'A' && upper <= u'Z') || (upper >= 0xC0 && upper <= 0xDE && upper != 0xD7))
        return {upper, char16_t(upper + 32)};
    if (upper == 0x178)
        return {upper, 0xFF};
    if (upper == 0x160 || upper == 0x152 || upper == 0x17D)
        return {upper, char16_t(upper + 1)};
    return {upper, 0};
}

qsizetype findAnchorBackward(QStringView text, qsizetype from, Variants v) {
    if (from < 0)
        return -1;
    if (v.second == 0)
        return text.left(from + 1).lastIndexOf(QChar(v.first));
    const char16_t* data = text.utf16();
    for (qsizetype i = from; i >= 0; --i) {
        if (data[i] == v.first || data[i] == v.second)
            return i;
    }
    return -1;
}

// The pattern character to scan for: one that only itself folds to (a digit, a sign), so that one
// pass finds every place to compare; a letter when the pattern has nothing else.
qsizetype anchorIndex(QStringView pattern) {
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (foldVariants(pattern[i].unicode()).second == 0)
            return i;
    }
    return 0;
}

// searchFold, in line: the compare loop calls it for every character.
inline char16_t fold(char16_t c) {
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
    return searchFold(c);
}

bool matchesAt(QStringView text, qsizetype at, QStringView pattern, bool matchCase) {
    const qsizetype m = pattern.size();
    const char16_t* t = text.utf16() + at;
    const char16_t* p = pattern.utf16();
    if (matchCase)
        return std::equal(p, p + m, t);
    for (qsizetype i = 0; i < m; ++i) {
        if (t[i] != p[i] && fold(t[i]) != fold(p[i]))
            return false;
    }
    return true;
}

#if defined(__x86_64__) && defined(__GNUC__)
#define VELLUM_WIDE_SCAN 1
// The first place in [i, last] where findEnds would stop, or -1, sixteen places at a time, on
// processors that can: eight at a time, the comparing takes longer than reading the text from
// memory. Moves `i` past the places it has ruled out.
__attribute__((target("avx2"))) qsizetype findEndsWide(const char16_t* data, qsizetype& i,
                                                       qsizetype last, Variants first, Variants end,
                                                       qsizetype distance) {
    const __m256i f1 = _mm256_set1_epi16(static_cast<short>(first.first));
    const __m256i f2 =
        _mm256_set1_epi16(static_cast<short>(first.second ? first.second : first.first));
    const __m256i e1 = _mm256_set1_epi16(static_cast<short>(end.first));
    const __m256i e2 = _mm256_set1_epi16(static_cast<short>(end.second ? end.second : end.first));
    for (; i + 15 <= last; i += 16) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(data + i + distance));
        const __m256i hit =
            _mm256_and_si256(_mm256_or_si256(_mm256_cmpeq_epi16(a, f1), _mm256_cmpeq_epi16(a, f2)),
                             _mm256_or_si256(_mm256_cmpeq_epi16(b, e1), _mm256_cmpeq_epi16(b, e2)));
        const unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(hit));
        if (mask != 0)
            return i + __builtin_ctz(mask) / 2;
    }
    return -1;
}
#endif

// The first place in [from, last] that holds one of `first`'s characters with one of `end`'s
// `distance` further on, or -1: of the places holding a pattern's first character, few also hold
// its last, so few are left to compare. Eight places at a time where the processor allows.
qsizetype findEnds(QStringView text, qsizetype from, qsizetype last, Variants first, Variants end,
                   qsizetype distance) {
    const char16_t* data = text.utf16();
    qsizetype i = std::max<qsizetype>(from, 0);
#ifdef VELLUM_WIDE_SCAN
    static const bool wide = __builtin_cpu_supports("avx2");
    if (wide) {
        const qsizetype at = findEndsWide(data, i, last, first, end, distance);
        if (at >= 0)
            return at;
    }
#endif
    const auto either = [](char16_t c, Variants v) {
        return c == v.first || (v.second != 0 && c == v.second);
    };
#ifdef __SSE2__
    // A character with one form is tested twice against it, so one test serves both kinds.
    const __m128i f1 = _mm_set1_epi16(static_cast<short>(first.first));
    const __m128i f2 =
        _mm_set1_epi16(static_cast<short>(first.second ? first.second : first.first));
    const __m128i e1 = _mm_set1_epi16(static_cast<short>(end.first));
    const __m128i e2 = _mm_set1_epi16(static_cast<short>(end.second ? end.second : end.first));
    // Every load ends at or before the last place's final character.
    for (; i + 7 <= last; i += 8) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + distance));
        const __m128i hit =
            _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi16(a, f1), _mm_cmpeq_epi16(a, f2)),
                          _mm_or_si128(_mm_cmpeq_epi16(b, e1), _mm_cmpeq_epi16(b, e2)));
        const int mask = _mm_movemask_epi8(hit);
        if (mask != 0)
            return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    for (; i <= last; ++i) {
        if (either(data[i], first) && either(data[i + distance], end))
            return i;
    }
    return -1;
}

// The first match at or after `from` that fits in the text, or -1.
qsizetype scanForward(QStringView text, QStringView pattern, qsizetype from, bool matchCase) {
    const qsizetype last = text.size() - pattern.size();
    const auto ends = [matchCase](QChar c) {
        return matchCase ? Variants{c.unicode(), 0} : foldVariants(c.unicode());
    };
    const Variants first = ends(pattern.front());
    const Variants end = ends(pattern.back());
    for (qsizetype at = from; at <= last; ++at) {
        at = findEnds(text, at, last, first, end, pattern.size() - 1);
        if (at < 0)
            return -1;
        if (matchesAt(text, at, pattern, matchCase))
            return at;
    }
    return -1;
}

// The last match starting at or before `from`, or -1.
qsizetype scanBackward(QStringView text, QStringView pattern, qsizetype from, bool matchCase) {
    if (matchCase)
        return text.left(from + pattern.size()).lastIndexOf(pattern, from, Qt::CaseSensitive);
    const qsizetype anchor = anchorIndex(pattern);
    const Variants variants = foldVariants(pattern[anchor].unicode());
    for (qsizetype at = from + anchor;;) {
        at = findAnchorBackward(text, at, variants);
        if (at < anchor)
            return -1;
        if (matchesAt(text, at - anchor, pattern, false))
            return at - anchor;
        --at;
    }
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
        if (matchesAt(text, p, pattern, matchCase) && (count == 0 || !isWordCharacter(at(p + m))))
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

qsizetype findInText(QStringView text, QStringView pattern, qsizetype selStart, qsizetype selLength,
                     const SearchOptions& options, char16_t following) {
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
    const Selection selection = editor.selection();
    qsizetype at = -1;
    if (pattern.contains(QLatin1Char('\r')) || pattern.contains(QLatin1Char('\n'))) {
        at = findInText(editor.text(), pattern, selection.start, selection.length(), options);
    } else {
        // A pattern without line breaks is found alike where each break is one character, and
        // the control then need not build its whole text in our form first.
        const int start = editor.toSearchPosition(selection.start);
        const int end = editor.toSearchPosition(selection.end);
        at = findInText(editor.searchableText(), pattern, start, end - start, options);
        if (at >= 0)
            at = editor.fromSearchPosition(static_cast<int>(at));
    }
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
        // The hits first, then the new text in one pass of exactly its size.
        std::vector<qsizetype> hits;
        qsizetype hit = findInText(text, find, selStart + (first ? selLength : 0),
                                   first ? 0 : selLength, options);
        while (hit >= 0) {
            hits.push_back(hit);
            hit = findInText(text, find, hit + m, 0, options);
        }
        plan.count = static_cast<qsizetype>(hits.size()) + (first ? 1 : 0);
        if (plan.count == 0)
            return plan;
        plan.from = first ? selStart : hits.front();
        plan.to = hits.empty() ? selStart + selLength : hits.back() + m;
        const qsizetype oldLength = plan.to - plan.from;
        const qsizetype removed = (first ? selLength : 0) + m * qsizetype(hits.size());
        plan.replacement.resize(oldLength - removed + plan.count * replace.size());
        char16_t* out = reinterpret_cast<char16_t*>(plan.replacement.data());
        const auto put = [&out](QStringView piece) {
            std::copy(piece.utf16(), piece.utf16() + piece.size(), out);
            out += piece.size();
        };
        qsizetype copied = plan.from;
        if (first) {
            put(replace);
            copied = selStart + selLength;
        }
        for (const qsizetype at : hits) {
            put(text.mid(copied, at - copied));
            put(replace);
            copied = at + m;
        }
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
