// The quick line count against the widget's own layout: every paragraph the count answered for
// must wrap into exactly that many lines when the widget lays it out.
#include "core/foundation/clipboard.h"
#include "ui/editor/plain_text_control.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace vellum {
namespace {

// Hand-written HTML's paragraphs: tags, words of several scripts, numbers, addresses, tabs, runs
// of spaces, words longer than a line and paragraphs of many lines; a few need the real layout.
QString variedText(int paragraphs) {
    const QStringList tokens = {QStringLiteral("<td class=\"price\">"),
                                QStringLiteral("</td>"),
                                QStringLiteral("lorem"),
                                QStringLiteral("ipsum"),
                                QStringLiteral("AVAWAY"),
                                QStringLiteral("ffi"),
                                QStringLiteral("café"),
                                QStringLiteral("naïve"),
                                QStringLiteral("déjà-vu"),
                                QStringLiteral("данные"),
                                QStringLiteral("λόγος"),
                                QStringLiteral("東京"),
                                QStringLiteral("“quoted”"),
                                QStringLiteral("—"),
                                QStringLiteral("$1,234.50"),
                                QStringLiteral("(12)%"),
                                QStringLiteral("http://example.com/a-b?q=1&r=2"),
                                QStringLiteral("\t"),
                                QStringLiteral("   "),
                                QStringLiteral("x=a<b>c;"),
                                QStringLiteral("jjjjffff"),
                                QStringLiteral("W").repeated(70),
                                QStringLiteral("data-payload-").repeated(9),
                                QStringLiteral("a\u00A0b"),
                                QStringLiteral("e\u0301")};
    QRandomGenerator random(7);
    QStringList out;
    for (int p = 0; p < paragraphs; ++p) {
        const int words = p % 50 == 7 ? 900 : random.bounded(40);
        QString paragraph = random.bounded(4) == 0 ? QStringLiteral("\t\t") : QString();
        for (int w = 0; w < words; ++w) {
            // The last two tokens need the real layout; they come seldom.
            const int pick = random.bounded(100) < 2 ? tokens.size() - 1 - random.bounded(2)
                                                     : random.bounded(tokens.size() - 2);
            paragraph += tokens.at(pick);
            if (random.bounded(5) != 0)
                paragraph += QLatin1Char(' ');
        }
        out << paragraph;
    }
    return out.join(QLatin1String("\r\n"));
}

TEST(WrapCounter, CountsAsTheWidgetLaysOutAcrossWidthsAndFonts) {
    MemoryClipboard clipboard;
    PlainTextEditor editor;
    auto* control = new PlainTextControl(&editor, &clipboard);
    QFont proportional(QStringLiteral("DejaVu Sans"));
    proportional.setPixelSize(13);
    QFont serifItalic(QStringLiteral("DejaVu Serif"));
    serifItalic.setPixelSize(17);
    serifItalic.setItalic(true);
    QFont mono(QStringLiteral("DejaVu Sans Mono"));
    mono.setPixelSize(12);
    QFont large = proportional;
    large.setPixelSize(31);
    large.setBold(true);
    const struct {
        const char* intent;
        QFont font;
        int width;
    } rows[] = {
        {"proportional, wide", proportional, 900},
        {"proportional, narrow", proportional, 157},
        {"proportional, resized", proportional, 611},
        {"serif italic", serifItalic, 433},
        {"fixed pitch", mono, 500},
        {"large bold, very narrow", large, 61},
    };
    control->setText(variedText(600));
    editor.show();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.intent);
        editor.setFont(row.font);
        editor.resize(editor.width() - editor.viewport()->width() + row.width, 300);
        QApplication::processEvents();
        control->settleLayout();

        QTextDocument* doc = editor.document();
        auto* layout = qobject_cast<QPlainTextDocumentLayout*>(doc->documentLayout());
        int counted = 0;
        int wrapped = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            if (block.layout()->lineCount() > 0)
                continue; // laid out by the widget or by the count's fallback
            const int lines = block.lineCount();
            layout->ensureBlockLayout(block);
            ASSERT_EQ(block.layout()->lineCount(), lines)
                << "paragraph " << block.blockNumber() << ": " << block.text().toStdString();
            ++counted;
            wrapped += lines > 1 ? 1 : 0;
        }
        // Every paragraph without a refused character took the quick way (about two in three),
        // and most of those wrapped.
        EXPECT_GT(counted, 380);
        EXPECT_GT(wrapped, 280);
    }
}

} // namespace
} // namespace vellum
