// Benchmarks of the HTML lexer that colours the document text, over 5 MB of hand-written-like
// HTML:
//   BM_LexHtml          every paragraph in turn, each from the state the previous one ended in,
//                       as the editor does on the way to where the user scrolls
//   BM_LexHtmlOneLine   the same text with its line breaks as spaces, in one call
// Bytes are the document's UTF-8 bytes (its size as a file); the text is almost all ASCII.
// One MB here is 2^20 characters.

#include "generated_html.h"

#include "core/editor/html_lexer.h"

#include <benchmark/benchmark.h>

#include <QStringList>

#include <cstddef>
#include <vector>

namespace {

using vellum::bench::generateHtml;
using vellum::bench::Random;
namespace html = vellum::html;

constexpr int CharsPerMB = 1 << 20;

// What the generated pages lack and hand-written pages have: style sheets and scripts in the
// page, comments over several lines, tags with their attributes on several lines.
const char* const StyleBlock[] = {"<style type=\"text/css\">",
                                  "  body { font-family: Verdana, sans-serif; margin: 0 }",
                                  "  td.cell > a:hover { color: #c00; text-decoration: underline }",
                                  "  /* the menu on the left */",
                                  "  #menu li { list-style: none; padding: 2px 4px }",
                                  "</style>"};
const char* const ScriptBlock[] = {
    "<script type=\"text/javascript\">",
    "  function show(id) {",
    "    var e = document.getElementById(id);",
    "    if (e && e.style.display != 'none') { e.innerHTML = '<b>' + id + '</b>'; }",
    "    for (var i = 0; i < 10 && i >= 0; i++) { total += i; }",
    "  }",
    "</script>"};
const char* const CommentBlock[] = {"<!-- The table below is filled in by hand each month.",
                                    "     Keep the <td> cells in the same order. -->"};
const char* const TagBlock[] = {"<a href=\"contents.htm#part2\"", "   title=\"The second part\"",
                                "   target=_top>Part two</a>&nbsp;&raquo;"};

template <std::size_t N> void appendBlock(QStringList& lines, const char* const (&block)[N]) {
    for (const char* line : block)
        lines.append(QString::fromLatin1(line));
}

/// About 5 MB of generated pages, split into lines, with a block of the kinds above after every
/// 40 to 120 lines.
QStringList documentLines() {
    const QString text = generateHtml(5 * CharsPerMB, 0x1e8e5ULL);
    const QStringList generated = text.split(QStringLiteral("\r\n"));
    QStringList lines;
    Random rnd(0xb10c5ULL);
    int nextBlock = rnd.between(40, 120);
    for (const QString& line : generated) {
        lines.append(line);
        if (--nextBlock > 0)
            continue;
        switch (rnd.between(0, 3)) {
        case 0:
            appendBlock(lines, StyleBlock);
            break;
        case 1:
            appendBlock(lines, ScriptBlock);
            break;
        case 2:
            appendBlock(lines, CommentBlock);
            break;
        default:
            appendBlock(lines, TagBlock);
            break;
        }
        nextBlock = rnd.between(40, 120);
    }
    return lines;
}

const QStringList& lines() {
    static const QStringList lines = documentLines();
    return lines;
}

qint64 utf8Bytes(const QStringList& lines) {
    qint64 bytes = 0;
    for (const QString& line : lines)
        bytes += line.toUtf8().size() + 2; // and its CR LF
    return bytes;
}

void BM_LexHtml(benchmark::State& state) {
    const QStringList& text = lines();
    std::vector<html::Span> spans;
    std::size_t spanCount = 0;
    for (auto _ : state) {
        html::State lexState = 0;
        spanCount = 0;
        for (const QString& line : text) {
            spans.clear();
            lexState = html::lexLine(line, lexState, spans);
            spanCount += spans.size();
        }
        benchmark::DoNotOptimize(lexState);
        benchmark::DoNotOptimize(spanCount);
    }
    state.SetBytesProcessed(state.iterations() * utf8Bytes(text));
    state.counters["lines"] = static_cast<double>(text.size());
    state.counters["spans"] = static_cast<double>(spanCount);
}

void BM_LexHtmlOneLine(benchmark::State& state) {
    const QString line = lines().join(QLatin1String("  "));
    std::vector<html::Span> spans;
    for (auto _ : state) {
        spans.clear();
        const html::State end = html::lexLine(line, 0, spans);
        benchmark::DoNotOptimize(end);
    }
    state.SetBytesProcessed(state.iterations() * line.toUtf8().size());
    state.counters["spans"] = static_cast<double>(spans.size());
}

} // namespace

BENCHMARK(BM_LexHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LexHtmlOneLine)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
