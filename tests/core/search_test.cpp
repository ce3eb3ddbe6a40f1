#include "core/editor/search.h"
#include "core/editor/text_buffer.h"
#include "support/buffer_document.h"
#include "support/qt_printers.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::load;
using test::show;

TEST(SearchText, FindsAsDefined) {
    struct Row {
        const char* name;
        QString before; // the text, its selection marked
        const char* pattern;
        SearchOptions options;
        QString after; // unchanged when nothing is found
    };
    const SearchOptions up{true, false, false};
    const SearchOptions word{false, false, true};
    const SearchOptions caseOn{false, true, false};
    const Row rows[] = {
        {"forward from the caret", "|cat dog cat", "cat", {}, "[cat] dog cat"},
        {"whole word passes over the word it begins in", "|cat dog cat", "cat", word,
         "cat dog [cat]"},
        {"the next search starts after the hit", "[cat] dog cat", "cat", {}, "cat dog [cat]"},
        {"no wrap-around", "cat dog [cat]", "cat", {}, "cat dog [cat]"},
        {"backward from the end finds the last", "abcabc|", "abc", up, "abc[abc]"},
        {"backward again finds the one before", "abc[abc]", "abc", up, "[abc]abc"},
        {"case does not matter", "|aBc", "ABC", {}, "[aBc]"},
        {"unless asked", "|aBc ABC", "ABC", caseOn, "aBc [ABC]"},
        {"Latin-1 letters fold",
         "|caf\u00e9 \u00c9T\u00c9",
         "\u00e9t\u00e9",
         {},
         "caf\u00e9 [\u00c9T\u00c9]"},
        {"\u00ff folds to \u0178 and \u0161 to \u0160",
         "|\u0178 \u0161",
         "\u0160",
         {},
         "\u0178 [\u0161]"},
        {"whole word not inside a longer word", "|x concat cats", "cat", word, "|x concat cats"},
        {"whole word before a comma", "|x concat cat, y", "cat", word, "x concat [cat], y"},
        {"a match ending at the end of the text", "|x cat", "cat", word, "x [cat]"},
        {"upward whole word ends at a blank opening the text",
         " ab|",
         "zz",
         {true, false, true},
         " ab|"},
        {"an empty pattern finds nothing", "|abc", "", {}, "|abc"},
        {"a hit spanning a line break", "|a\r\nb", "a\r\nb", {}, "[a\r\nb]"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TextBuffer buffer;
        load(buffer, row.before);
        SearchText(buffer, row.pattern, row.options);
        EXPECT_EQ(show(buffer), row.after);
    }
}

// Long texts are read many characters at a time: a hit is found wherever it lies, the text's
// last place included, and near misses around it are passed over.
TEST(SearchText, FindsAHitAtEveryPlaceOfALongText) {
    struct Row {
        const char* name;
        QString pattern;
        QString hit;    // what stands in the text
        QString filler; // the rest of the text, near misses only
        SearchOptions options;
    };
    const Row rows[] = {
        {"ASCII, case blind, small ends", "ZQ-7C", "zQ-7c", "zq-8c zQ-7", {}},
        {"ASCII, case blind, capital ends", "zq-7c", "ZQ-7C", "zq-8c zQ-7", {}},
        {"Latin-1 ends, case blind", "\u00c9T\u00c9", "\u00e9t\u00e9", "\u00e9x\u00e9 ", {}},
        {"one character", "\u0178", "\u00ff", "y\u00fe", {}},
        {"matching case passes over the other case", "Ab", "Ab", "ab aB ", {false, true, false}},
    };
    constexpr qsizetype Length = 80;
    for (const Row& row : rows) {
        for (qsizetype place = 0; place + row.hit.size() <= Length; ++place) {
            SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(place));
            QString text = row.filler.repeated(Length / row.filler.size() + 1).left(Length);
            text.replace(place, row.hit.size(), row.hit);
            SearchOptions up = row.options;
            up.backward = true;
            EXPECT_EQ(findInText(text, row.pattern, 0, 0, row.options), place);
            EXPECT_EQ(findInText(text, row.pattern, place + 1, 0, row.options), -1);
            EXPECT_EQ(findInText(text, row.pattern, Length, 0, up), place);
        }
    }
}

TEST(SearchState, FindStepsAndReplaceRemaining) {
    struct Row {
        const char* name;
        QString before;
        std::function<void(SearchState&)> set;
        std::function<void(TextBuffer&, SearchState&, Prompter&)> run;
        QString after;
        QStringList messages;
        bool replaceMode;
    };
    const auto find = [](TextBuffer& b, SearchState& s, Prompter& p) { Find(b, s, p); };
    const auto remaining = [](TextBuffer& b, SearchState& s, Prompter& p) {
        ReplaceRemaining(b, s, p);
    };
    const Row rows[] = {
        {"not found says so and ends replace mode",
         "|abc",
         [](SearchState& s) {
             s.findText = "x";
             s.replaceMode = true;
         },
         find,
         "|abc",
         {"Cannot find \"x\"."},
         false},
        {"replace mode replaces the selected hit, any case, then finds on",
         "[CAT] cat",
         [](SearchState& s) {
             s.findText = "cat";
             s.replaceText = "dog";
             s.matchCase = true;
             s.replaceMode = true;
         },
         find,
         "dog [cat]",
         {},
         true},
        {"from the top of the caret's line, not of the text, and not upward",
         "x\r\nabc a|bc\r\nabc",
         [](SearchState& s) {
             s.findText = "abc";
             s.fromTop = true;
             s.upward = true;
         },
         find,
         "x\r\n[abc] abc\r\nabc",
         {},
         false},
        {"every remaining hit after the caret, one message",
         "a|xa a a",
         [](SearchState& s) {
             s.findText = "a";
             s.replaceText = "b";
         },
         remaining,
         "axb b b|",
         {"Cannot find \"a\"."},
         false},
        {"the selected hit too",
         "[a]xa",
         [](SearchState& s) {
             s.findText = "a";
             s.replaceText = "bb";
         },
         remaining,
         "bbxbb|",
         {"Cannot find \"a\"."},
         false},
        {"upward with a replacement holding the find text ends",
         "ab ab ab|",
         [](SearchState& s) {
             s.findText = "ab";
             s.replaceText = "xab";
             s.upward = true;
         },
         remaining,
         "xab| xab xab",
         {"Cannot find \"ab\"."},
         false},
        {"an empty find text inserts once at the caret",
         "a|b",
         [](SearchState& s) { s.replaceText = "X"; },
         remaining,
         "aX|b",
         {"Cannot find \"\"."},
         false},
        {"whole word replaces only words",
         "|cat concat cat.",
         [](SearchState& s) {
             s.findText = "cat";
             s.replaceText = "dog";
             s.wholeWord = true;
         },
         remaining,
         "cat concat dog|.",
         {"Cannot find \"cat\"."},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TextBuffer buffer;
        load(buffer, row.before);
        SearchState state;
        row.set(state);
        test::CorePrompter prompter;
        row.run(buffer, state, prompter);
        EXPECT_EQ(show(buffer), row.after);
        EXPECT_EQ(prompter.informed, row.messages);
        EXPECT_EQ(state.replaceMode, row.replaceMode);
        EXPECT_FALSE(state.fromTop);
    }
}

// Replace Remaining in one pass leaves what the steps one by one leave.
TEST(SearchState, ReplaceRemainingAsTheStepsOneByOne) {
    const QString text = "<td>a</TD><td>b<td>\r\n<tdx> td <td>";
    for (const bool upward : {false, true}) {
        for (const bool word : {false, true}) {
            SCOPED_TRACE(QString("upward %1, whole word %2").arg(upward).arg(word).toStdString());
            SearchState state;
            state.findText = "<td>";
            state.replaceText = "<TD>";
            state.upward = upward;
            state.wholeWord = word;
            // Without regard to case, the replacement would be a hit again: the steps one by
            // one would never end upward.
            state.matchCase = true;
            state.replaceMode = true;
            TextBuffer steps, once;
            steps.setText(text);
            once.setText(text);
            const int caret = upward ? text.size() : 0;
            steps.setSelection(caret, caret);
            once.setSelection(caret, caret);
            test::CorePrompter prompter;
            while (state.replaceMode)
                Find(steps, state, prompter);
            ReplaceRemaining(once, state, prompter);
            EXPECT_EQ(show(once), show(steps));
        }
    }
}

TEST(TagRemoval, RemovesEveryTagOfTheSelection) {
    const struct {
        const char* name;
        QString before, after;
    } rows[] = {
        {"tags go, text stays", "[<B>bold</B> text]", "|bold text"},
        {"a < and > around text count as a tag", "[a < b and c > d]", "|a  d"},
        {"a comment ends at its first >", "[<!-- note > more -->]", "| more -->"},
        {"the first < pairs with the first > after it", "[x <y <z> w>]", "|x  w>"},
        {"a > without < stays", "[5 > 3 <B>]", "|5 > 3 "},
        {"entities stay", "[<I>&amp;&lt;</I>]", "|&amp;&lt;"},
        {"line breaks stay; a tag across one goes with it", "[<P>a\r\nb<A\r\nhref>c]", "|a\r\nbc"},
        {"a < without > ends the removal", "[<B>a <c d]", "|a <c d"},
        {"only tags: the selection goes", "x[<B></B>]y", "x|y"},
        {"no selection: nothing changes", "ab|c", "ab|c"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TextBuffer buffer;
        load(buffer, row.before);
        killtags(buffer);
        EXPECT_EQ(show(buffer), row.after);
    }
}

} // namespace
} // namespace vellum
