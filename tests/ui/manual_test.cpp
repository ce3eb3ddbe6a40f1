#include "core/app/menu_table.h"
#include "support/started_main.h"
#include "ui/app/helper_registry.h"
#include "ui/helpers/helper_frame.h"

#include <QFile>
#include <QLabel>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace vellum {
namespace {

using test::Started;

QString manualHtml() {
    QFile file(QStringLiteral(VELLUM_MANUAL));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// What a reader of the manual sees: its text without the markup.
QString manualText() {
    QTextDocument document;
    document.setHtml(manualHtml());
    return document.toPlainText();
}

// A menu caption as it shows: access-key marks gone, "&&" a single "&".
QString shown(const char* caption) {
    QString text = QString::fromLatin1(caption);
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

TEST(Manual, NamesEveryMenuCommandAndEveryHelperWindow) {
    const QString manual = manualText();
    ASSERT_FALSE(manual.isEmpty());
    for (const MenuEntry& entry : mainMenuTable()) {
        if (entry.kind == MenuEntry::Kind::Separator || entry.hidden)
            continue;
        EXPECT_TRUE(manual.contains(shown(entry.caption))) << entry.caption;
    }
    Started s;
    s.runAndShow();
    for (const HelperRow& row : helperTable()) {
        const char* id = row.id;
        HelperFrame* helper = s.app->helpers().open(QString::fromLatin1(id));
        ASSERT_TRUE(helper) << id;
        const QString caption = helper->captionLabel()->text();
        EXPECT_FALSE(caption.isEmpty()) << id;
        EXPECT_TRUE(manual.contains(caption)) << caption.toStdString();
        // Its Help button opens the manual at its own topic.
        const QString anchor = QStringLiteral("name=\"topic%1\"").arg(helper->traits().helpTopic);
        EXPECT_TRUE(manualHtml().contains(anchor)) << anchor.toStdString();
    }
}

} // namespace
} // namespace vellum
