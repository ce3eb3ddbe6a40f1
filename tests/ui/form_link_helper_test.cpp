// The Form and Link helpers putting their code into a real document through their windows.
#include "support/qt_printers.h"
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/form_helper.h"
#include "ui/helpers/link_helper.h"
#include "ui/helpers/number_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <functional>

namespace vellum {
namespace {

using test::drawn;
using test::load;
using test::Started;
using Kind = FormOptions::Kind;
using Protocol = LinkOptions::Protocol;

using test::userClick;
using test::userClickIndicator;

TEST(FormHelper, InsertPutsTheFormOrTheFieldsAtTheCaret) {
    struct Row {
        const char* name;
        std::function<void(FormHelper&)> choose;
        QString before, after;
        QString errors;
    };
    const Row rows[] = {
        {"New Form starts after a selection, which stays, caret inside", [](FormHelper&) {},
         "ab[cd]ef", "abcd\r\n<FORM method=\"Post\" action=\"\">\r\n|\r\n</FORM>ef", ""},
        {"a field replaces the selection, caret after it",
         [](FormHelper& form) { userClickIndicator(form.kindButton(Kind::Text)); }, "ab[cd]ef",
         "ab<INPUT type=\"text\" size=20 name=\"\" value=\"\">\r\n|ef", ""},
        {"choosing a kind resets the count; two list boxes at indent 1",
         [](FormHelper& form) {
             form.itemsBox()->setText("7");
             userClickIndicator(form.kindButton(Kind::ListBox));
             EXPECT_EQ(form.itemsBox()->text(), "1");
             userClick(form.itemsBox()->upButton());
             userClick(form.indentBox()->upButton());
             form.firstBox()->setText("1");
         },
         "|",
         QString("\t<SELECT size=3 name=\"\">\r\n\t  <OPTION> \r\n\t</SELECT>\r\n").repeated(2) +
             "|",
         ""},
        {"a count that is not a number inserts nothing and stays as typed",
         [](FormHelper& form) {
             userClickIndicator(form.kindButton(Kind::Hidden));
             form.itemsBox()->setText("x");
         },
         "a|b", "a|b", "'x' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        load(*s.active(), row.before);
        auto* form = qobject_cast<FormHelper*>(s.app->helpers().open("Form"));
        ASSERT_NE(form, nullptr);
        row.choose(*form);
        userClick(form->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
        EXPECT_EQ(s.prompter.errors.join('|'), row.errors);
        if (!row.errors.isEmpty()) {
            EXPECT_EQ(form->itemsBox()->text(), "x");
        }
    }
}

TEST(LinkHelper, InsertWrapsTheSelection) {
    struct Row {
        const char* name;
        std::function<void(Started&, LinkHelper&)> choose;
        QString after;
        const char* tip; // null: no tip
    };
    const Row rows[] = {
        {"http: the caret inside the quotes, the tip asks for the address",
         [](Started&, LinkHelper& link) {
             userClickIndicator(link.protocolButton(Protocol::Http));
         },
         "go <A href=\"http://|\">word</A>", "Type an URL here"},
        {"a file below the document's folder, the selection kept",
         [](Started& s, LinkHelper& link) {
             userClickIndicator(link.useFileCheck());
             s.prompter.openNames.push_back(s.home.write("Site/Pics/Logo.GIF", "gif"));
         },
         "go <A href=\"Pics/Logo.GIF\">[word]</A>", nullptr},
        {"a cancelled file dialog inserts nothing",
         [](Started&, LinkHelper& link) { userClickIndicator(link.useFileCheck()); }, "go [word]",
         nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Started s;
        s.runAndShow();
        s.open(s.home.write("Site/index.htm", ""));
        load(*s.active(), "go [word]");
        s.prompter.openRequests.clear();
        auto* link = qobject_cast<LinkHelper*>(s.app->helpers().open("Link"));
        ASSERT_NE(link, nullptr);
        row.choose(s, *link);
        userClick(link->insertButton());
        EXPECT_EQ(drawn(*s.active()), row.after);
        if (!s.prompter.openRequests.empty()) {
            EXPECT_EQ(s.prompter.openRequests.back().title, "Please locate your file");
            EXPECT_EQ(s.prompter.openRequests.back().filter,
                      "All files|*.*|HTML files|*.htm*|Zip files|*.zip|Text files|*.txt");
        }
        QLabel* tip = s.active()->urlTip();
        EXPECT_EQ(tip->isVisible(), row.tip != nullptr);
        if (row.tip) {
            EXPECT_EQ(tip->text(), row.tip);
        }
    }
}

TEST(LinkHelper, UseFileOnDiskSurvivesReopening) {
    Started s;
    s.runAndShow();
    auto* link = qobject_cast<LinkHelper*>(s.app->helpers().open("Link"));
    ASSERT_NE(link, nullptr);
    EXPECT_FALSE(link->useFileCheck()->isChecked());
    EXPECT_FALSE(link->pathList()->isVisible());
    userClickIndicator(link->useFileCheck());
    EXPECT_TRUE(link->pathList()->isVisible());
    userClick(link->findChild<QPushButton*>("SpeedButton2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(s.read("Vellum", "use1"), "sure");

    link = qobject_cast<LinkHelper*>(s.app->helpers().open("Link"));
    ASSERT_NE(link, nullptr);
    EXPECT_TRUE(link->useFileCheck()->isChecked());
    EXPECT_TRUE(link->pathList()->isVisible());
}

} // namespace
} // namespace vellum
