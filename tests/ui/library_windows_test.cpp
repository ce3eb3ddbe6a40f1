// The Open Template dialog and the Special Characters helper on a real document.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "ui/helpers/helper_registry.h"
#include "ui/library/special_chars_helper.h"
#include "ui/library/template_dialog.h"

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

Ttplate* templateDialog(Started& s) {
    s.trigger("New1");
    const QList<Ttplate*> open = s.main->findChildren<Ttplate*>();
    return open.isEmpty() ? nullptr : open.last();
}

void choose(Ttplate& dialog, const char* name) {
    const QList<QListWidgetItem*> found = dialog.fileList()->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    dialog.fileList()->setCurrentItem(found.first());
}

TEST(TemplateDialog, OpensSetsClearsAndDeletes) {
    struct Row {
        const char* name;
        const char* stored; // "tpl" before
        std::function<void(Started&, Ttplate&)> act;
        QStringList captions; // documents afterwards
        QString text;         // of the last one
        const char* tpl;      // "tpl" afterwards
    };
    const Row rows[] = {
        {"Open without a choice or a default: an empty document",
         "",
         [](Started&, Ttplate& d) { d.OKBtnClick(); },
         {"Untitled 1", "Untitled 2"},
         "",
         ""},
        {"Open without a choice takes the default",
         "b.htm",
         [](Started&, Ttplate& d) { d.OKBtnClick(); },
         {"Untitled 1", "Untitled 2"},
         "B\r\n",
         "b.htm"},
        {"Open of a chosen template",
         "b.htm",
         [](Started&, Ttplate& d) {
             choose(d, "a.htm");
             d.OKBtnClick();
         },
         {"Untitled 1", "Untitled 2"},
         "A\r\n",
         "b.htm"},
        {"Set without a choice keeps the default, Cancel makes no document",
         "b.htm",
         [](Started&, Ttplate& d) {
             d.SetClick();
             d.close();
         },
         {"Untitled 1"},
         "",
         "b.htm"},
        {"Set makes the choice the default",
         "",
         [](Started&, Ttplate& d) {
             choose(d, "a.htm");
             d.SetClick();
             EXPECT_EQ(d.defaultLabel()->text(), "a.htm");
         },
         {"Untitled 1"},
         "",
         "a.htm"},
        {"deleting the default template clears the default",
         "b.htm",
         [](Started& s, Ttplate& d) {
             choose(d, "b.htm");
             EXPECT_TRUE(d.deleteButton()->isVisibleTo(&d));
             s.prompter.yesNo.push_back(true);
             d.deletebutClick();
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
        Ttplate* dialog = templateDialog(s);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->defaultLabel()->text(), row.stored);
        row.act(s, *dialog);
        EXPECT_EQ(s.captions(), row.captions);
        EXPECT_EQ(s.active()->control().text(), row.text);
        EXPECT_EQ(s.read("Vellum", "tpl"), row.tpl);
    }
}

TEST(SpecialCharacters, CellsInsertTheirTextInPlaceOfTheSelection) {
    Started s;
    s.runAndShow();
    QByteArray chars;
    for (int k = 0; k < 96; ++k)
        chars += "g" + QByteArray::number(k) + "..&e" + QByteArray::number(k) + ";\r\n";
    s.home.write("library/chars", "<..&lt;\r\n" + chars.mid(chars.indexOf('\n') + 1));
    load(*s.active(), "a[bc]d");
    auto* specials = static_cast<Tspecials*>(s.main->helpers().open("Special"));
    ASSERT_NE(specials, nullptr);
    EXPECT_EQ(specials->specialTable()->item(0, 0)->text(), "<");
    specials->insertButton()->click();
    EXPECT_EQ(drawn(*s.active()), "a&lt;|d");

    specials->specialTable()->setCurrentCell(3, 4);
    specials->switchButton()->click();
    EXPECT_TRUE(specials->extendedShown());
    EXPECT_EQ(specials->switchButton()->text(), "special");
    specials->extendedTable()->setCurrentCell(4, 0);
    emit specials->extendedTable()->cellDoubleClicked(4, 0);
    EXPECT_EQ(drawn(*s.active()), "a&lt;&e64;|d");

    specials->switchButton()->click();
    EXPECT_FALSE(specials->extendedShown());
    EXPECT_EQ(specials->specialTable()->currentRow(), 3);
    EXPECT_EQ(specials->specialTable()->currentColumn(), 4);
}

} // namespace
} // namespace vellum
