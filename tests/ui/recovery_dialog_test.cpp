// Crash recovery in the main window: typed text kept in the instance's recovery folder until the
// document is saved or closed, and a start after an ended instance offering its documents.
#include "core/app/recovery_folders.h"
#include "support/ended_instance.h"
#include "support/started_main.h"
#include "ui/app/recovery_dialog.h"
#include "ui/app/recovery_writer.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

// The records in the instance's own recovery folder, as "name: text".
QStringList kept(const Started& s) {
    QStringList out;
    const QDir folder(s.app->recovery().folder().path());
    for (const QString& name : folder.entryList({"*.recovery"}, QDir::Files, QDir::Name)) {
        const std::optional<RecoveryRecord> r = readRecoveryFile(folder.filePath(name));
        out << (r ? r->name + ": " + r->text : name + ": incomplete");
    }
    return out;
}

TEST(RecoveryWriting, TypedTextIsKeptUntilTheDocumentIsSavedOrClosed) {
    struct Row {
        const char* intent;
        const char* recovery; // the settings key
        char then;            // s: Save, c: Close answering No, '-': nothing
        bool keptAfter;
    };
    const Row rows[] = {
        {"typed: kept until the program ends", "1", '-', true},
        {"saved: its file goes", "1", 's', false},
        {"closed without saving: its file goes", "1", 'c', false},
        {"recovery turned off: nothing kept", "0", '-', false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Started s;
        s.write("Vellum", "RecoveryDelay", "10");
        s.write("Vellum", "Recovery", row.recovery);
        const QString page = s.home.write("page.htm", "<p>old</p>\n");
        s.runAndShow({page});
        ASSERT_TRUE(s.app);
        QTest::keyClicks(s.active()->editorWidget(), "new ");
        const QStringList typed{page + ": new <p>old</p>\r\n"};
        if (QByteArray(row.recovery) == "1")
            EXPECT_TRUE(QTest::qWaitFor([&] { return kept(s) == typed; }, 5000))
                << kept(s).join('|').toStdString();
        else
            QTest::qWait(100);
        if (row.then == 's')
            s.trigger("Save1");
        if (row.then == 'c') {
            s.prompter.yesNoCancel.push_back(Prompter::Answer::No);
            s.trigger("Close1");
        }
        s.app->recovery().flush();
        EXPECT_EQ(kept(s), row.keptAfter ? typed : QStringList{});
        // At the end the instance's folder goes with its lock, unless a document is left in it.
        const QString root = s.home.file("recovery");
        s.app.reset();
        EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(),
                  row.keptAfter ? 1 : 0);
    }
}

TEST(RecoveryStart, AnEndedInstancesDocumentsAreOfferedAndTheChosenOpenAgain) {
    struct Row {
        const char* intent;
        std::optional<QList<int>> chosen;
        QStringList captions;
        bool offeredAgain;
    };
    const Row rows[] = {
        {"the file chosen: it opens modified under its own name",
         QList<int>{0},
         {"Untitled 1", "page.htm"},
         false},
        {"both chosen: the untitled one as a new untitled document",
         QList<int>{0, 1},
         {"Untitled 1", "page.htm", "Untitled 2"},
         false},
        {"none chosen: both discarded", QList<int>{}, {"Untitled 1"}, false},
        {"decided later: nothing opens, both kept", std::nullopt, {"Untitled 1"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        Started s;
        const QString page = s.home.write("Site/page.htm", "<p>old</p>\n");
        const QString root = s.home.file("recovery");
        test::endedInstance(
            root, "ended",
            {encodeRecovery(test::recoveryRecord(page, false, "<p>new</p>\r\n", 1700000000000)),
             encodeRecovery(test::recoveryRecord("Untitled 4", true, "draft", 1700000060000))});
        s.prompter.recoveryChoice = [&row](const QList<RecoveryChoice>&) { return row.chosen; };
        s.runAndShow();
        ASSERT_TRUE(s.app);
        ASSERT_EQ(s.prompter.recoveryOffers.size(), 1u);
        const QList<RecoveryChoice>& offer = s.prompter.recoveryOffers[0];
        ASSERT_EQ(offer.size(), 2);
        EXPECT_EQ(offer[0].name, "page.htm");
        EXPECT_EQ(offer[0].path, page);
        EXPECT_EQ(offer[0].written.toMSecsSinceEpoch(), 1700000000000);
        EXPECT_EQ(offer[1].name, "Untitled 4");
        EXPECT_EQ(offer[1].path, "");
        EXPECT_EQ(s.captions(), row.captions);
        EXPECT_EQ(QFileInfo::exists(root + "/ended"), row.offeredAgain);
        EXPECT_EQ(RecoveryClaim::gather(root, s.app->recovery().folder().id()).entries().size(),
                  row.offeredAgain ? 2u : 0u);

        if (row.captions.size() < 2)
            continue;
        DocumentWindow& reopened = *s.documents()[1];
        EXPECT_TRUE(reopened.isModified());
        EXPECT_EQ(reopened.key(), page);
        EXPECT_EQ(reopened.control().text(), "<p>new</p>\r\n");
        s.app->workspace().bringForward(reopened.record());
        s.trigger("Save1");
        EXPECT_EQ(s.home.read("Site/page.htm"), "<p>new</p>\n");
        EXPECT_FALSE(reopened.isModified());
        s.app->recovery().flush();
        EXPECT_EQ(kept(s).filter(page), QStringList{}) << "its file went with the save";
    }
}

// Clicks at `local` in `target` as the user does: the click goes to the widget the window shows at
// that point of the screen, which must be `target` (not a control covering it).
void clickWhereDrawn(QWidget* target, const QPoint& local) {
    const QPoint global = target->mapToGlobal(local);
    QWidget* shown = QApplication::widgetAt(global);
    ASSERT_EQ(shown, target);
    QTest::mouseClick(shown, Qt::LeftButton, {}, shown->mapFromGlobal(global));
}

TEST(RecoveryDialog, ListsEachDocumentTickedAndGivesTheTickedOnes) {
    struct Row {
        const char* intent;
        int untick; // the row unticked with the space bar, or -1
        const char* button;
        std::optional<QList<int>> chosen;
    };
    const Row rows[] = {
        {"all ticked at first", -1, "Recover", QList<int>{0, 1}},
        {"one unticked", 0, "Recover", QList<int>{1}},
        {"decided later", -1, "DecideLater", std::nullopt},
    };
    const QList<RecoveryChoice> choices{
        {"page.htm", "/site/page.htm", QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9))},
        {"Untitled 4", "", QDateTime(QDate(2024, 5, 6), QTime(10, 11, 12))}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.intent);
        MessageBoxPrompter prompter;
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<RecoveryDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
            shown << dialog->windowTitle();
            QTreeWidget* list = dialog->list();
            for (int i = 0; i < list->topLevelItemCount(); ++i)
                shown << list->topLevelItem(i)->text(0) + " " + list->topLevelItem(i)->text(1);
            if (row.untick >= 0) {
                // The row is clicked away from its tick box, which the space bar then clears.
                const QRect item = list->visualItemRect(list->topLevelItem(row.untick));
                clickWhereDrawn(list->viewport(), item.center());
                ASSERT_EQ(QApplication::focusWidget(), list);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            }
            QPushButton* button = dialog->findChild<QPushButton*>(row.button);
            clickWhereDrawn(button, button->rect().center());
        });
        // A step that failed leaves the dialog open: it is closed so that the test ends.
        QTimer stuck;
        stuck.setSingleShot(true);
        QObject::connect(&stuck, &QTimer::timeout, [] {
            if (QWidget* left = QApplication::activeModalWidget())
                left->close();
        });
        stuck.start(5000);
        EXPECT_EQ(prompter.chooseRecoveries(choices), row.chosen);
        EXPECT_EQ(shown, (QStringList{"Recover Unsaved Documents", "page.htm 2024-05-06 07:08:09",
                                      "Untitled 4 2024-05-06 10:11:12"}));
    }
}

} // namespace
} // namespace vellum
