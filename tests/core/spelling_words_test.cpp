#include "core/editor/spelling_words.h"

#include <gtest/gtest.h>

#include <QSet>
#include <QStringList>

namespace vellum {
namespace {

// The words checked in `html` (paragraphs split at '\n', each lexed from where the one before
// ended), joined by '|'; a word in pieces shows them as "[Ex][am][ple]" with their own text.
QString checkedWords(const QString& html) {
    QStringList out;
    html::State state = 0;
    for (const QString& line : html.split(u'\n')) {
        std::vector<html::Span> spans;
        const html::State end = html::lexLine(line, state, spans);
        for (const SpellingWord& word : spellingWords(line, spans)) {
            QString shown = word.text;
            if (word.pieces.size() > 1) {
                shown += u'=';
                for (const WordPiece& piece : word.pieces)
                    shown += u'[' + line.mid(piece.start, piece.length) + u']';
            }
            out << shown;
        }
        state = end;
    }
    return out.join(u'|');
}

TEST(SpellingWords, OnlyTheProseAReaderSeesIsChecked) {
    const struct {
        const char* intent;
        const char* html;
        const char* words;
    } rows[] = {
        {"plain prose", "Helo wrold", "Helo|wrold"},
        {"tag and attribute names never", "<tabel bordr=1>Text</tabel>", "Text"},
        {"quoted and unquoted values never", "<a hreff=\"pgae.htm\" class=navbr>Link</a>", "Link"},
        {"alt and title values are prose",
         "<img src=\"mispel.png\" alt=\"A hous\"><b title='Nice dya'>x</b>", "A|hous|Nice|dya|x"},
        {"comments never", "Before <!-- a mistaek --> after", "Before|after"},
        {"a comment over lines never", "One <!-- mistaek\nstill commnet -->\nTwo", "One|Two"},
        {"entities are not words", "Tom &amp; Jery&nbsp;run", "Tom|Jery|run"},
        {"a letter written as an entity leaves its word alone", "caf&eacute; bar", "bar"},
        {"an apostrophe entity stays inside the word", "don&rsquo;t", "don't"},
        {"script content never", "<script>var mispelt = 1;</script>Word", "Word"},
        {"style content over lines never", "<style>\nbody { colr: red }\n</style>Word", "Word"},
        {"addresses never", "See http://exmple.com/pgae or mail jon@exmple.org www.exmple.net",
         "See|or|mail"},
        {"a word split by inline tags is one word", "Ex<b>am</b>ple", "Example=[Ex][am][ple]"},
        {"block tags end a word", "one<br>two<p>three", "one|two|three"},
        {"apostrophes inside a word only", "'it's' dogs'", "it's|dogs"},
        {"words with digits and abbreviations are left out", "HTML page2 a4 I OK Ok", "I|Ok"},
        {"a doctype never", "<!DOCTYPE html>Text", "Text"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        EXPECT_EQ(checkedWords(QString::fromUtf8(row.html)), QString::fromUtf8(row.words));
    }
}

TEST(SpellingWords, ReplacingAWordKeepsTheTagsInsideIt) {
    const QString line = QStringLiteral("Ex<b>am</b>pel");
    const std::vector<SpellingWord> words = spellingWords(line, 0);
    ASSERT_EQ(words.size(), 1u);
    QString replaced = line;
    for (const PieceEdit& edit : replacementEdits(words[0], QStringLiteral("Example")))
        replaced.replace(edit.start, edit.length, edit.text);
    EXPECT_EQ(replaced, QStringLiteral("Ex<b>am</b>ple"));
}

TEST(SpellingWords, TheLanguageIsTheDocumentsWhenInstalledElseTheLocale) {
    const QSet<QString> installed = {QStringLiteral("en_US"), QStringLiteral("de")};
    const auto has = [&](const QString& tag) { return installed.contains(tag); };
    const struct {
        const char* intent;
        const char* document;
        const char* locale;
        const char* chosen;
    } rows[] = {
        {"the document's region", "<!DOCTYPE html>\r\n<html lang=\"en-US\">", "de_DE", "en_US"},
        {"the document's language alone", "<HTML LANG=de-AT><body>", "en_US", "de"},
        {"no dictionary for the document: the locale", "<html lang=\"fr\">", "en_US.UTF-8",
         "en_US"},
        {"no lang: the locale", "<html><body lang=\"de\">", "en_US", "en_US"},
        {"a lang after the body is not the document's", "<body><html lang=de>", "C", ""},
        {"nothing installed for either", "<html lang=\"fr\">", "it_IT", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        const QString lang = documentLanguage(QString::fromUtf8(row.document));
        EXPECT_EQ(spellingLanguage(lang, QString::fromUtf8(row.locale), has),
                  QString::fromUtf8(row.chosen));
    }
}

} // namespace
} // namespace vellum
