#include "core/app/document.h"
#include "core/foundation/settings_file.h"
#include "support/buffer_workspace.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Desk;

const QByteArray Latin2 = "<meta charset=\"ISO-8859-2\">\n<p>\xB3\xBF</p>\n"; // "łż"
const QByteArray Koi8 = "<META CONTENT=\"text/html; charset=KOI8-R\" HTTP-EQUIV=\"Content-Type\">"
                        "\r\n<p>\xF0\xD2\xC9\xD7\xC5\xD4</p>\r\n"; // "Привет"
// The second byte of "本" is '{': only a reader of Shift_JIS sees it as no brace.
const QByteArray ShiftJis = "<meta charset=Shift_JIS>\n<p>\x93\xFA\x96\x7B\x8C\xEA</p>\n";

// Opening a file that is not UTF-8, then saving it, unedited or with one replacement.
TEST(DeclaredCharset, FileIsReadAndSavedInTheCharsetItDeclares) {
    struct Row {
        const char* intent;
        const char* setting; // DeclaredCharset; null: not in the settings file
        QByteArray file;
        const char16_t* shows; // a piece of the text as read
        const char* readAs;
        const char16_t* find; // the user replaces this with `replace`; null: no edit
        const char16_t* replace;
        QByteArray saved; // "": the bytes the file was read from
        const char* told; // pieces of the message after saving, '|' between them; "": none
    };
    const Row rows[] = {
        {"ISO-8859-2", nullptr, Latin2, u"\u0142\u017C", "ISO-8859-2", nullptr, nullptr, "", ""},
        {"KOI8-R in the http-equiv form, upper case, content first", nullptr, Koi8,
         u"\u041F\u0440\u0438\u0432\u0435\u0442", "KOI8-R", nullptr, nullptr, "", ""},
        {"Shift_JIS unquoted", nullptr, ShiftJis, u"\u65E5\u672C\u8A9E", "Shift_JIS", nullptr,
         nullptr, "", ""},
        {"single quotes and an alias", nullptr,
         "<meta http-equiv='content-type' content='text/html;charset=latin2'><i>\xB3</i>",
         u"<i>\u0142", "ISO-8859-2", nullptr, nullptr, "", ""},
        {"declaration whose '>' is byte 4097", nullptr,
         QByteArray(4076, ' ') + "<meta charset=latin2>\n<p>\xB3\xBF</p>\n", u"<p>\u00B3\u00BF",
         "Windows-1252", nullptr, nullptr, "", ""},
        {"declaration in a comment", nullptr, "<!-- 1 > 0 " + Latin2 + " -->", u"\u00B3\u00BF",
         "Windows-1252", nullptr, nullptr, "", ""},
        {"unknown charset", nullptr, "<meta charset=\"x-no-such-set\"><p>\xB3</p>", u"\u00B3",
         "Windows-1252", nullptr, nullptr, "", ""},
        {"Latin-1 is read as Windows-1252", nullptr, "<meta charset=\"latin1\"><p>\x80</p>",
         u"\u20AC", "Windows-1252", nullptr, nullptr, "", ""},
        {"a charset not written like ASCII", nullptr, "<meta charset=\"UTF-16LE\"><p>\xB3\xBF</p>",
         u"<p>\u00B3", "Windows-1252", nullptr, nullptr, "", ""},
        {"content without http-equiv", nullptr, "<meta name=x content=\"charset=latin2\">\xB3",
         u"\u00B3", "Windows-1252", nullptr, nullptr, "", ""},
        {"bytes the declared charset cannot read", nullptr, "<meta charset=Shift_JIS>\x82<p>",
         u"\u201A<p>", "Windows-1252", nullptr, nullptr, "",
         "saved in Windows-1252, but its <meta> declaration names Shift_JIS"},
        {"valid UTF-8 whatever it declares", nullptr, "<meta charset=\"ISO-8859-2\"><p>\xC5\x82",
         u"<p>\u0142", "UTF-8", nullptr, nullptr, "",
         "saved in UTF-8, but its <meta> declaration names ISO-8859-2"},
        {"setting off", "0", Latin2, u"\u00B3\u00BF", "Windows-1252", nullptr, nullptr, "", ""},
        {"setting on", "1", Latin2, u"\u0142\u017C", "ISO-8859-2", nullptr, nullptr, "", ""},
        {"an edit is written in the declared charset", nullptr, Koi8, u"\u0432", "KOI8-R",
         u"\u0432\u0435\u0442", u"\u0430", Koi8.left(Koi8.indexOf("\xD7")) + "\xC1</p>\r\n", ""},
        {"declaration changed: the text stays in its charset", nullptr, Latin2, u"\u0142",
         "ISO-8859-2", u"ISO-8859-2", u"KOI8-R", "<meta charset=\"KOI8-R\">\n<p>\xB3\xBF</p>\n",
         "saved in ISO-8859-2, but its <meta> declaration names KOI8-R"},
        {"declaration removed", nullptr, Latin2, u"\u0142", "ISO-8859-2",
         u"<meta charset=\"ISO-8859-2\">", u"", "\n<p>\xB3\xBF</p>\n",
         "saved in ISO-8859-2, but it no longer declares that character set"},
        {"a character the charset lacks", nullptr, Latin2, u"\u0142", "ISO-8859-2", u"\u0142",
         u"\u03C9", "<meta charset=\"ISO-8859-2\">\n<p>\xCF\x89\xC5\xBC</p>\n",
         "characters that ISO-8859-2 cannot store; it was saved as UTF-8.|saved in UTF-8, but "
         "its <meta> declaration names ISO-8859-2"},
        {"a declaration added to a Windows-1252 file", nullptr, "<p>caf\xE9</p>", u"caf\u00E9",
         "Windows-1252", u"<p>", u"<meta charset=KOI8-R><p>", "<meta charset=KOI8-R><p>caf\xE9</p>",
         "saved in Windows-1252, but its <meta> declaration names KOI8-R"},
        {"all ASCII is read in the charset it declares", nullptr, "<meta charset=KOI8-R><p>a</p>",
         u"<p>a", "KOI8-R", u">a<", u">\u0430<", "<meta charset=KOI8-R><p>\xC1</p>", ""},
        {"all ASCII declaring Latin-1 takes an \u00E9 in Windows-1252", nullptr,
         "<meta charset=\"iso-8859-1\"><p>a</p>", u"<p>a", "Windows-1252", u">a<", u">\u00E9<",
         "<meta charset=\"iso-8859-1\"><p>\xE9</p>", ""},
        {"all ASCII declaring UTF-8", nullptr, "<meta charset=utf-8><p>a</p>", u"<p>a", "UTF-8",
         u">a<", u">\u00E9<", "<meta charset=utf-8><p>\xC3\xA9</p>", ""},
        {"all ASCII, setting off", "0", "<meta charset=\"iso-8859-1\"><p>a</p>", u"<p>a", "UTF-8",
         nullptr, nullptr, "", ""},
        {"all ASCII declaring nothing", nullptr, "<p>a</p>", u"<p>a", "UTF-8", u">a<", u">\u00E9<",
         "<p>\xC3\xA9</p>", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Desk desk;
        if (row.setting)
            desk.settings.writeText("Vellum", "DeclaredCharset", row.setting);
        Document* document = desk.flows.openFile(desk.home.write("page.htm", row.file));
        ASSERT_NE(document, nullptr);
        const QString text = document->text().text();
        EXPECT_TRUE(text.contains(QStringView(row.shows))) << text.toStdString();
        EXPECT_EQ(encodingName(document->format()), QString(row.readAs));
        if (row.find) {
            const int at = static_cast<int>(text.indexOf(QStringView(row.find)));
            ASSERT_GE(at, 0);
            document->text().setSelection(at, at + static_cast<int>(QStringView(row.find).size()));
            document->text().replaceSelection(QStringView(row.replace).toString());
        }
        ASSERT_TRUE(desk.flows.Saves(*document));
        EXPECT_EQ(desk.home.read("page.htm"), row.saved.isEmpty() ? row.file : row.saved);
        EXPECT_TRUE(desk.prompter.errors.isEmpty());
        const QString told = desk.prompter.informed.join('|');
        const QStringList pieces = QString(row.told).split('|', Qt::SkipEmptyParts);
        EXPECT_EQ(told.isEmpty(), pieces.isEmpty()) << told.toStdString();
        for (const QString& piece : pieces)
            EXPECT_TRUE(told.contains(piece)) << told.toStdString();
    }
}

} // namespace
} // namespace vellum
