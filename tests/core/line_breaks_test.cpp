#include "core/foundation/line_breaks.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

TEST(LineBreaks, WithLineBreakRewritesEachCrLf) {
    struct Row {
        const char* name;
        const char* text;
        const char16_t* lineBreak;
        const char* expected;
    };
    const Row rows[] = {
        {"empty text", "", u"\n", ""},
        {"no breaks", "<P>plain</P>", u"\n", "<P>plain</P>"},
        {"CR LF to LF", "a\r\nb\r\n\r\nc", u"\n", "a\nb\n\nc"},
        {"CR LF to CR", "a\r\nb", u"\r", "a\rb"},
        {"lone CR and lone LF stay", "a\rb\nc\n\rd\r\ne", u"\n", "a\rb\nc\n\rd\ne"},
        {"CR LF at the very end", "line\r\n", u"\n", "line\n"},
        {"CR at the very end stays", "line\r", u"\n", "line\r"},
        {"CR LF target keeps the text", "a\r\nb\rc\n", u"\r\n", "a\r\nb\rc\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(withLineBreak(QString::fromLatin1(row.text), QStringView(row.lineBreak)),
                  QString::fromLatin1(row.expected));
    }
}

} // namespace
} // namespace vellum
