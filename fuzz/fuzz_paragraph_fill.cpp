// Any text, as decoding a file may give it, put into a text document at once (its trees built
// in one go): the document must be the one a cursor builds from the same text, paragraph for
// paragraph, and take edits alike.
#include "ui/editor/paragraph_bulk_fill.h"

#include <QString>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {

// Breaks of every kind are frequent, so that the fuzzer meets them side by side.
constexpr char16_t Alphabet[] = {u'\n',     u'\r',     u'\u2029', u'\uFDD0', u'\uFDD1', u'\u2028',
                                 u'a',      u'b',      u' ',      u'\t',     u'\u00e9', u'\xd800',
                                 u'\xdc00', u'\uFFFF', u'<',      u'\n'};

// Puts `text` in as the editor does: pieces split off its end, each starting after a line feed
// and put in before the others, behind a placeholder paragraph taken away at the end.
void fillAtOnce(QTextDocument& doc, QString text, int everyBreaks) {
    doc.setPlainText(QStringLiteral("\n"));
    doc.setUndoRedoEnabled(false);
    QTextCursor at(&doc);
    at.beginEditBlock();
    vellum::ParagraphBulkFill bulk(&doc);
    while (!text.isEmpty()) {
        qsizetype start = text.size();
        for (int i = 0; i < everyBreaks; ++i) {
            const qsizetype lineFeed = start > 1 ? text.lastIndexOf(u'\n', start - 2) : -1;
            start = lineFeed + 1;
            if (lineFeed < 0)
                break;
        }
        at.setPosition(1);
        bulk.insert(at, text.mid(start));
        text.truncate(start);
    }
    bulk.finish();
    at.setPosition(0);
    at.setPosition(1, QTextCursor::KeepAnchor);
    at.removeSelectedText();
    at.endEditBlock();
    doc.setUndoRedoEnabled(true);
}

void expectAlike(const QTextDocument& got, const QTextDocument& want) {
    if (got.toRawText() != want.toRawText() || got.blockCount() != want.blockCount() ||
        got.characterCount() != want.characterCount())
        std::abort();
    for (QTextBlock g = got.begin(), w = want.begin(); w.isValid(); g = g.next(), w = w.next()) {
        if (!g.isValid() || g.position() != w.position() || g.length() != w.length() ||
            got.findBlock(w.position()).blockNumber() != w.blockNumber())
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    QString text;
    for (size_t i = 2; i < size; ++i)
        text += QChar(data[i] < 32 ? Alphabet[data[i] % 16] : char16_t(data[i]));
    QTextDocument got, want;
    fillAtOnce(got, text, 1 + data[0] % 4);
    want.setPlainText(text);
    expectAlike(got, want);
    // An edit over breaks, then one putting breaks in, on both.
    for (const QString& put : {QString(), QStringLiteral("x\ny\r\nz")}) {
        const int at = data[1] % got.characterCount();
        for (QTextDocument* doc : {&got, &want}) {
            QTextCursor c(doc);
            c.setPosition(at);
            c.setPosition(std::min(at + 7, doc->characterCount() - 1), QTextCursor::KeepAnchor);
            c.insertText(put);
        }
        expectAlike(got, want);
    }
    return 0;
}
