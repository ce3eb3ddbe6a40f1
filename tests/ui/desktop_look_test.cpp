#include "support/started_main.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QToolBar>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

TEST(DesktopLook, TitleNamesTheActiveDocumentInEveryArrangement) {
    Started s;
    const QString a = s.home.write("site/a.htm", "<p>a</p>\n");
    const QString b = s.home.write("site/b.htm", "<p>b</p>\n");
    s.runAndShow();
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [Untitled 1]");
    s.open(a);
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [a.htm]");
    s.trigger("Tile1");
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [a.htm]");
    s.open(b);
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [b.htm]");
    s.trigger("Cascade1");
    s.trigger("Tabbed1");
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [b.htm]");
    // Saved under another name, the new name shows.
    s.prompter.saveNames.push_back(s.home.file("site/c.htm"));
    s.trigger("SaveAs1");
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML - [c.htm]");
    for (int i = 0; i < 3; ++i)
        s.trigger("Close1");
    QCoreApplication::processEvents();
    EXPECT_TRUE(s.documents().isEmpty());
    EXPECT_EQ(s.window()->windowTitle(), "VellumHTML");
}

TEST(DesktopLook, EveryToolbarButtonHasAnIconSharpAtDoubleScale) {
    Started s;
    s.runAndShow();
    const auto* toolbar = s.window()->findChild<QToolBar*>("toolbar");
    ASSERT_TRUE(toolbar);
    ASSERT_FALSE(toolbar->actions().isEmpty());
    for (const QAction* button : toolbar->actions()) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_FALSE(button->toolTip().isEmpty());
        ASSERT_FALSE(button->icon().isNull());
        // Drawn from its outline at twice the size, not a small picture blown up: some pixels
        // are neither fully clear nor fully covered only at the edges of shapes.
        const QImage drawn = button->icon().pixmap(toolbar->iconSize(), 2.0).toImage();
        EXPECT_EQ(drawn.size(), toolbar->iconSize() * 2);
        int covered = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                covered += qAlpha(drawn.pixel(x, y)) > 0;
        EXPECT_GT(covered, drawn.width() * drawn.height() / 8);
    }
}

TEST(DesktopLook, TheTextFollowsADarkColourScheme) {
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(220, 220, 220));
    dark.setColor(QPalette::Window, QColor(45, 45, 45));
    QApplication::setPalette(dark);
    {
        Started s;
        s.runAndShow();
        const QPalette text = s.active()->editorWidget()->palette();
        EXPECT_EQ(text.color(QPalette::Base), QColor(30, 30, 30));
        EXPECT_EQ(text.color(QPalette::Text), QColor(220, 220, 220));
        EXPECT_EQ(s.window()->palette().color(QPalette::Window), QColor(45, 45, 45));
    }
    QApplication::setPalette(before);
}

} // namespace
} // namespace vellum
