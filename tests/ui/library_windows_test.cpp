// The Open Template dialog and the Special Characters helper on a real document.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/library/special_chars_helper.h"
#include "ui/library/template_dialog.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;
using test::userClick;
using test::userDoubleClick;

TemplateDialog* templateDialog(Started& s) {
    s.trigger("New1");
    const QList<TemplateDialog*> open = s.window()->findChildren<TemplateDialog*>();
    return open.isEmpty() ? nullptr : open.last();
}

void choose(TemplateDialog& dialog, const char* name) {
    const QList<QListWidgetItem*> found = dialog.fileList()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    userClick(dialog.fileList()->viewport(),
              dialog.fileList()->visualItemRect(found.first()).center());
}

TEST(TemplateDialog, OpensSetsClearsAndDeletes) {
    struct Row {
        const char* name;
        const char* stored; // "tpl" before
        std::function<void(Started&, TemplateDialog&)> act;
        QStringList captions; // documents afterwards
        QString text;         // of the last one
        const char* tpl;      // "tpl" afterwards
    };
    const Row rows[] = {
        {"Open without a choice or a default: an empty document",
         "",
         [](Started&, TemplateDialog& d) { d.confirm(); },
         {"Untitled 1", "Untitled 2"},
         "",
         ""},
        {"Open without a choice takes the default",
         "b.htm",
         [](Started&, TemplateDialog& d) { d.confirm(); },
         {"Untitled 1", "Untitled 2"},
         "B\r\n",
         "b.htm"},
        {"Open of a chosen template",
         "b.htm",
         [](Started&, TemplateDialog& d) {
             choose(d, "a.htm");
             d.confirm();
         },
         {"Untitled 1", "Untitled 2"},
         "A\r\n",
         "b.htm"},
        {"Set without a choice keeps the default, Cancel makes no document",
         "b.htm",
         [](Started&, TemplateDialog& d) {
             d.makeChosenDefault();
             d.close();
         },
         {"Untitled 1"},
         "",
         "b.htm"},
        {"Set makes the choice the default",
         "",
         [](Started&, TemplateDialog& d) {
             choose(d, "a.htm");
             d.makeChosenDefault();
             EXPECT_EQ(d.defaultLabel()->text(), "a.htm");
         },
         {"Untitled 1"},
         "",
         "a.htm"},
        {"deleting the default template clears the default",
         "b.htm",
         [](Started& s, TemplateDialog& d) {
             choose(d, "b.htm");
             EXPECT_TRUE(d.deleteButton()->isVisibleTo(&d));
             s.prompter.yesNo.push_back(true);
             d.deleteChosenTemplate();
             EXPECT_EQ(s.prompter.asked, QStringList{"Delete b.htm?"});
             EXPECT_FALSE(QFileInfo::exists(s.home.file("template/b.htm")));
             EXPECT_EQ(d.fileList()->count(), 1);
             EXPECT_EQ(d.defaultLabel()->text(), "");
         },
         {"Untitled 1"},
         "",
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.home.write("template/a.htm", "A\n");
        s.home.write("template/b.htm", "B\n");
        s.write("Vellum", "tpl", row.stored);
        TemplateDialog* dialog = templateDialog(s);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->defaultLabel()->text(), row.stored);
        row.act(s, *dialog);
        EXPECT_EQ(s.captions(), row.captions);
        EXPECT_EQ(s.active()->control().text(), row.text);
        EXPECT_EQ(s.read("Vellum", "tpl"), row.tpl);
    }
}

QPoint cellCentre(const QTableWidget* table, int row, int column) {
    return table->visualItemRect(table->item(row, column)).center();
}

SpecialCharactersHelper* openSpecials(Started& s) {
    auto* specials = qobject_cast<SpecialCharactersHelper*>(s.app->helpers().open("Special"));
    if (specials) {
        EXPECT_TRUE(QTest::qWaitForWindowExposed(specials));
    }
    return specials;
}

TEST(SpecialCharacters, CellsInsertTheirTextInPlaceOfTheSelection) {
    Started s;
    s.runAndShow();
    QByteArray chars;
    for (int k = 0; k < 96; ++k)
        chars += "g" + QByteArray::number(k) + "..&e" + QByteArray::number(k) + ";\r\n";
    s.home.write("library/chars", "<..&lt;\r\n" + chars.mid(chars.indexOf('\n') + 1));
    load(*s.active(), "a[bc]d");
    SpecialCharactersHelper* specials = openSpecials(s);
    ASSERT_NE(specials, nullptr);
    QTableWidget* special = specials->specialTable();
    QTableWidget* extended = specials->extendedTable();
    EXPECT_EQ(special->item(0, 0)->text(), "<");
    userClick(specials->insertButton());
    EXPECT_EQ(drawn(*s.active()), "a&lt;|d");

    // An empty cell (past the 32 entries of the special table) inserts nothing and keeps the
    // selection.
    load(*s.active(), "a[bc]d");
    userClick(special->viewport(), cellCentre(special, 3, 5));
    userClick(specials->insertButton());
    EXPECT_EQ(drawn(*s.active()), "a[bc]d");
    load(*s.active(), "a&lt;|d");

    userClick(special->viewport(), cellCentre(special, 3, 4));
    userClick(specials->switchButton());
    EXPECT_TRUE(specials->extendedShown());
    EXPECT_EQ(specials->switchButton()->text(), "special");
    userDoubleClick(extended->viewport(), cellCentre(extended, 4, 0));
    EXPECT_EQ(drawn(*s.active()), "a&lt;&e64;|d");

    userClick(specials->switchButton());
    EXPECT_FALSE(specials->extendedShown());
    EXPECT_EQ(special->currentRow(), 3);
    EXPECT_EQ(special->currentColumn(), 4);
}

TEST(SpecialCharacters, EveryShippedGlyphShowsWholeAndInsertsItsTextWhenClicked) {
    Started s;
    s.runAndShow();
    QFile shipped(QStringLiteral(VELLUM_SHIPPED_CHARS));
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    s.home.write("library/chars", shipped.readAll());
    const CharTables tables = CharTables::read(s.home.path() + "/library/chars");
    ASSERT_FALSE(tables.special[0][0].text.isEmpty()) << "no character table was shipped";
    SpecialCharactersHelper* specials = openSpecials(s);
    ASSERT_NE(specials, nullptr);
    for (int line = 0; line < CharTables::Entries; ++line) {
        const CharTables::Place place = CharTables::place(line);
        const CharCell& cell = place.extended ? tables.extended[place.row][place.column]
                                              : tables.special[place.row][place.column];
        SCOPED_TRACE(QString("line %1: %2").arg(line).arg(cell.glyph).toStdString());
        if (specials->extendedShown() != place.extended)
            userClick(specials->switchButton());
        QTableWidget* table = place.extended ? specials->extendedTable() : specials->specialTable();
        const QRect rect = table->visualItemRect(table->item(place.row, place.column));
        const QFontMetrics metrics(table->font());
        EXPECT_TRUE(table->viewport()->rect().contains(rect));
        EXPECT_GE(rect.width(), metrics.horizontalAdvance(cell.glyph));
        EXPECT_GE(rect.height(), metrics.height());
        load(*s.active(), "|");
        userClick(table->viewport(), rect.center());
        userClick(specials->insertButton());
        EXPECT_EQ(s.active()->control().text(), cell.text);
    }
}

} // namespace
} // namespace vellum
