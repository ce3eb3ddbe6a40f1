// The floor of the Qt text document's own cost per paragraph: 20 and 100 MB of hand-written-like
// HTML (about 185,000 and 925,000 paragraphs) put into a QTextDocument by each means Qt offers,
// beside a copy of the text and a count of its line breaks (what any store of the text costs).
//
//   copy_and_count/N       a copy of the text and a count of its line breaks
//   insert_whole/N         one QTextCursor::insertText of the whole text, the plain-text layout set
//   insert_whole_bare/N    the same with no layout on the document yet
//   pieces_prepend/N       1 MB pieces from the end, each inserted before the ones already in
//   pieces_append/N        1 MB pieces in order, each appended
//   set_plain_text/N       QTextDocument::setPlainText
//   block_per_paragraph/N  QTextCursor::insertText and insertBlock for each paragraph
//   bulk_pieces/N          1 MB pieces as pieces_prepend, each put in as one run, and the
//                          document's trees then built at once (what the editor does)
//   layout_after_fill/N    the plain-text layout set on a document filled without one (what is
//                          left for the window's thread when a worker thread fills the document)
//
// Each reports the time per paragraph (ns) and the resident memory the document holds per
// paragraph beyond the text's own two bytes a character. Run from a Release build.

#include "generated_html.h"
#include "ui/editor/paragraph_bulk_fill.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <malloc.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace {

using vellum::bench::generateHtml;

constexpr int CharsPerMB = 1 << 20;
constexpr qsizetype Piece = 1 << 20;

double residentMiB() {
    malloc_trim(0);
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

struct Texts {
    int mb = -1;
    QString text;
    qsizetype paragraphs = 0;

    const QString& of(int wanted) {
        if (mb != wanted) {
            text = QString();
            text =
                generateHtml(wanted * CharsPerMB, 0x5eed0fd0c5ULL + static_cast<unsigned>(wanted));
            paragraphs = text.count(QLatin1Char('\n')) + 1;
            mb = wanted;
        }
        return text;
    }
};

std::unique_ptr<QTextDocument> emptyDocument(bool withLayout) {
    auto doc = std::make_unique<QTextDocument>();
    doc->setUndoRedoEnabled(false);
    if (withLayout)
        doc->setDocumentLayout(new QPlainTextDocumentLayout(doc.get()));
    return doc;
}

using Fill = std::function<std::unique_ptr<QTextDocument>(const QString&)>;

/// Times `fill` over the text; the document is destroyed untimed.
void runFill(benchmark::State& state, Texts* texts, int mb, const Fill& fill) {
    const QString& text = texts->of(mb);
    const double before = residentMiB();
    double heldMiB = 0;
    qsizetype blocks = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        std::unique_ptr<QTextDocument> doc = fill(text);
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
        heldMiB = residentMiB() - before;
        blocks = doc->blockCount();
        doc.reset();
    }
    const double paragraphs = static_cast<double>(texts->paragraphs);
    state.counters["paragraphs"] = paragraphs;
    state.counters["blocks"] = static_cast<double>(blocks);
    state.counters["ns_per_paragraph"] =
        benchmark::Counter(paragraphs * static_cast<double>(state.iterations()) / 1e9,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["held_MiB"] = heldMiB;
    state.counters["bytes_per_paragraph_beyond_text"] =
        (heldMiB * 1048576.0 - static_cast<double>(text.size()) * 2) / paragraphs;
}

std::unique_ptr<QTextDocument> insertWhole(const QString& text, bool withLayout) {
    auto doc = emptyDocument(withLayout);
    QTextCursor(doc.get()).insertText(text);
    return doc;
}

std::unique_ptr<QTextDocument> piecesPrepend(const QString& whole) {
    auto doc = emptyDocument(true);
    QTextCursor at(doc.get());
    at.beginEditBlock();
    for (qsizetype end = whole.size(); end > 0;) {
        qsizetype start = std::max<qsizetype>(0, end - Piece);
        if (start > 0)
            start = whole.lastIndexOf(QLatin1Char('\n'), start) + 1;
        at.setPosition(0);
        at.insertText(whole.mid(start, end - start));
        end = start;
    }
    at.endEditBlock();
    return doc;
}

std::unique_ptr<QTextDocument> bulkPieces(const QString& whole) {
    auto doc = emptyDocument(true);
    doc->setUndoRedoEnabled(false);
    QTextCursor at(doc.get());
    at.beginEditBlock();
    vellum::ParagraphBulkFill bulk(doc.get());
    for (qsizetype end = whole.size(); end > 0;) {
        qsizetype start = std::max<qsizetype>(0, end - Piece);
        if (start > 0)
            start = whole.lastIndexOf(QLatin1Char('\n'), start) + 1;
        at.setPosition(0);
        bulk.insert(at, whole.mid(start, end - start));
        end = start;
    }
    bulk.finish();
    at.endEditBlock();
    doc->setUndoRedoEnabled(true);
    return doc;
}

std::unique_ptr<QTextDocument> piecesAppend(const QString& whole) {
    auto doc = emptyDocument(true);
    QTextCursor at(doc.get());
    at.beginEditBlock();
    for (qsizetype start = 0; start < whole.size();) {
        qsizetype end = std::min(whole.size(), start + Piece);
        const qsizetype lineBreak = whole.indexOf(QLatin1Char('\n'), end);
        end = lineBreak < 0 ? whole.size() : lineBreak + 1;
        at.insertText(whole.mid(start, end - start));
        start = end;
    }
    at.endEditBlock();
    return doc;
}

std::unique_ptr<QTextDocument> blockPerParagraph(const QString& whole) {
    auto doc = emptyDocument(true);
    QTextCursor at(doc.get());
    at.beginEditBlock();
    qsizetype start = 0;
    for (;;) {
        const qsizetype lineBreak = whole.indexOf(QLatin1Char('\n'), start);
        const qsizetype end = lineBreak < 0 ? whole.size() : lineBreak;
        const qsizetype textEnd =
            end > start && whole.at(end - 1) == QLatin1Char('\r') ? end - 1 : end;
        at.insertText(whole.mid(start, textEnd - start));
        if (lineBreak < 0)
            break;
        at.insertBlock();
        start = lineBreak + 1;
    }
    at.endEditBlock();
    return doc;
}

void BM_CopyAndCount(benchmark::State& state, Texts* texts, int mb) {
    const QString& text = texts->of(mb);
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        QString copy(text.constData(), text.size());
        benchmark::DoNotOptimize(copy.count(QLatin1Char('\n')));
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
    state.counters["ns_per_paragraph"] = benchmark::Counter(
        static_cast<double>(texts->paragraphs) * static_cast<double>(state.iterations()) / 1e9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LayoutAfterFill(benchmark::State& state, Texts* texts, int mb) {
    const QString& text = texts->of(mb);
    for (auto _ : state) {
        auto doc = insertWhole(text, false);
        QElapsedTimer t;
        t.start();
        doc->setDocumentLayout(new QPlainTextDocumentLayout(doc.get()));
        benchmark::DoNotOptimize(doc->documentLayout()->documentSize());
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
    }
    state.counters["ns_per_paragraph"] = benchmark::Counter(
        static_cast<double>(texts->paragraphs) * static_cast<double>(state.iterations()) / 1e9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void registerBenchmarks(Texts& texts) {
    for (const int mb : {20, 100}) {
        const auto fill = [&texts, mb](const char* name, Fill fn) {
            const std::string full = std::string(name) + "/" + std::to_string(mb) + "MB";
            benchmark::RegisterBenchmark(
                full.c_str(),
                [&texts, mb, fn](benchmark::State& state) { runFill(state, &texts, mb, fn); })
                ->UseManualTime()
                ->Iterations(2)
                ->Unit(benchmark::kMillisecond);
        };
        const auto plain = [&texts, mb](const char* name,
                                        void (*fn)(benchmark::State&, Texts*, int)) {
            const std::string full = std::string(name) + "/" + std::to_string(mb) + "MB";
            benchmark::RegisterBenchmark(full.c_str(), fn, &texts, mb)
                ->UseManualTime()
                ->Iterations(2)
                ->Unit(benchmark::kMillisecond);
        };
        plain("copy_and_count", BM_CopyAndCount);
        fill("insert_whole", [](const QString& t) { return insertWhole(t, true); });
        fill("insert_whole_bare", [](const QString& t) { return insertWhole(t, false); });
        fill("pieces_prepend", piecesPrepend);
        fill("pieces_append", piecesAppend);
        fill("set_plain_text", [](const QString& t) {
            auto doc = emptyDocument(true);
            doc->setPlainText(t);
            return doc;
        });
        fill("block_per_paragraph", blockPerParagraph);
        fill("bulk_pieces", bulkPieces);
        plain("layout_after_fill", BM_LayoutAfterFill);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Texts texts;
    registerBenchmarks(texts);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
