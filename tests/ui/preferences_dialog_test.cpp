// The Preferences dialog over a started main window and its real settings file.
#include "support/started_main.h"
#include "support/user_input.h"
#include "ui/app/preferences_dialog.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

PreferencesDialog* openPreferences(Started& s) {
    s.trigger("Preferences1");
    const auto open = s.window()->findChildren<PreferencesDialog*>();
    return open.isEmpty() ? nullptr : open.last();
}

template <typename T> T* control(PreferencesDialog& dialog, const char* name) {
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Clicks a button of the dialog, after the tab of its page when another page shows.
void click(PreferencesDialog& dialog, const char* name, int times = 1) {
    auto* button = control<QAbstractButton>(dialog, name);
    auto* notebook = dialog.findChild<QTabWidget*>();
    ASSERT_NE(notebook, nullptr);
    for (int page = 0; page < notebook->count(); ++page) {
        if (page != notebook->currentIndex() && notebook->widget(page)->isAncestorOf(button))
            test::userClick(notebook->tabBar(), notebook->tabBar()->tabRect(page).center());
    }
    for (int k = 0; k < times; ++k)
        test::userClick(button);
}

qreal tabDistance(Started& s) {
    return s.active()->editorWidget()->document()->defaultTextOption().tabStopDistance();
}

TEST(PreferencesDialog, ShowsSpinsChecksAndStores) {
    Started s;
    s.runAndShow();
    s.home.write("bin/browse", "#!");
    const qreal fiveSpaces = tabDistance(s);
    PreferencesDialog* d = openPreferences(s);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->windowTitle(), "VellumHTML Preferences");
    EXPECT_FALSE(d->isModal());
    EXPECT_TRUE(d->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(control<QLabel>(*d, "tabsedit")->text(), "5");
    EXPECT_EQ(control<QLabel>(*d, "qrf")->text(), "9");
    EXPECT_TRUE(control<QCheckBox>(*d, "removespaces")->isChecked());
    EXPECT_TRUE(control<QCheckBox>(*d, "comeback")->isChecked());
    EXPECT_FALSE(control<QCheckBox>(*d, "remembermain")->isChecked());

    click(*d, "SpinButton5Up", 7);
    EXPECT_EQ(control<QLabel>(*d, "qrf")->text(), "15");
    click(*d, "SpinButton5Down", 16);
    EXPECT_EQ(control<QLabel>(*d, "qrf")->text(), "1");
    click(*d, "tabsspinDown", 3);
    EXPECT_EQ(control<QLabel>(*d, "tabsedit")->text(), "2");
    click(*d, "SpinButton2Down");
    EXPECT_EQ(control<QLabel>(*d, "qrow")->text(), "1");

    // A path that names no file keeps the dialog open with nothing stored.
    auto* browser = control<QLineEdit>(*d, "browsertext");
    QTest::keyClicks(browser, s.home.file("bin/Browse"));
    EXPECT_EQ(browser->text(), s.home.file("bin/Browse")) << "a POSIX path keeps its case";
    click(*d, "OKBtn");
    EXPECT_EQ(s.prompter.errors,
              QStringList{"There is a problem with your browser path or filename."});
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(s.read("Vellum", "tabwidth"), "");

    browser->setText(s.home.file("bin/browse"));
    const QPointer<PreferencesDialog> closing(d);
    click(*d, "OKBtn");
    // Closed, and gone once the events that follow the click have run.
    EXPECT_FALSE(closing && closing->isVisible());
    EXPECT_EQ(s.read("Vellum", "browser"), s.home.file("bin/browse"));
    EXPECT_EQ(s.read("Vellum", "tabwidth"), "2");
    EXPECT_EQ(s.read("Quick", "qrf"), "1");
    EXPECT_LT(tabDistance(s), fiveSpaces) << "the open document takes the new width";

    // Cancel stores nothing but what a Locate button stored; the next dialog shows what the
    // settings hold.
    const QString helper = s.home.write("bin/helper", "#!/bin/sh\n");
    QFile::setPermissions(helper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    d = openPreferences(s);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(control<QLabel>(*d, "qrf")->text(), "1");
    click(*d, "tabsspinUp");
    s.prompter.openNames.push_back(helper);
    click(*d, "SpeedButton2");
    EXPECT_EQ(control<QLineEdit>(*d, "helpertext")->text(), helper);
    click(*d, "CancelBtn");
    EXPECT_EQ(s.read("Vellum", "tabwidth"), "2");
    EXPECT_EQ(s.read("Vellum", "helper"), helper);
}

} // namespace
} // namespace vellum
