#include "support/started_main.h"
#include "ui/editor/document_window.h"

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

// A drag that enters `target` and is dropped there, as the window system delivers it; whether
// the drop was taken.
bool dropOn(QWidget* target, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

TEST(FileDrops, DroppedFilesOpenAsOpenWouldAndStayOutOfTheText) {
    Started s;
    const QString a = s.home.write("site/a.htm", "<p>a</p>\n");
    const QString b = s.home.write("site/b b.htm", "<p>b</p>\n");
    const QString missing = s.home.file("site/gone.htm");
    s.runAndShow();
    QWidget* text = s.active()->editorWidget()->viewport();

    // Dropped on a document's text: both open, in order, and nothing is typed into the text.
    EXPECT_TRUE(dropOn(text, {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    EXPECT_EQ(s.keys(), (QStringList{"Untitled 1", a, b}));
    EXPECT_EQ(s.documents().first()->control().text(), QString());

    // Dropped on the main window: an open file comes forward, a missing one is reported.
    EXPECT_TRUE(dropOn(s.window(), {QUrl::fromLocalFile(a), QUrl::fromLocalFile(missing)}));
    EXPECT_EQ(s.keys(), (QStringList{"Untitled 1", a, b}));
    EXPECT_EQ(s.active()->key(), a);
    EXPECT_EQ(s.prompter.informed.value(0), a + " is already open.");
    EXPECT_EQ(s.prompter.errors.size(), 1);

    // A link from a browser is text for the editor, not a file to open.
    EXPECT_FALSE(dropOn(s.window(), {QUrl(QStringLiteral("https://example.org/x.htm"))}));
    EXPECT_EQ(s.keys().size(), 3);
}

} // namespace
} // namespace vellum
