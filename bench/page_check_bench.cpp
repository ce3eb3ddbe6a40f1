// Benchmarks of the Check Page command's whole check (the structure and the local links) over
// 5 MB of hand-written-like HTML:
//   BM_CheckPage         the generated page as it is, on many lines
//   BM_CheckPageOneLine  the same page with its line breaks as spaces
// Bytes are the page's UTF-8 bytes; "findings" counts what the check reported. One MB here is 2^20
// characters.

#include "generated_html.h"

#include "core/editor/page_check.h"

#include <benchmark/benchmark.h>

#include <QDir>

namespace {

using vellum::bench::generateHtml;

constexpr int CharsPerMB = 1 << 20;

const QString& page() {
    static const QString text = generateHtml(5 * CharsPerMB, 0xc4ec6ULL);
    return text;
}

void checkEachIteration(benchmark::State& state, const QString& text) {
    const vellum::PageCheckRequest request{text, QString(), QDir::tempPath()};
    qsizetype findings = 0;
    for (auto _ : state) {
        const vellum::PageCheckResult result = vellum::checkPage(request);
        findings = result.findings.size();
        benchmark::DoNotOptimize(findings);
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_CheckPage(benchmark::State& state) {
    checkEachIteration(state, page());
}

void BM_CheckPageOneLine(benchmark::State& state) {
    QString line = page();
    line.replace(QLatin1String("\r\n"), QLatin1String("  "));
    checkEachIteration(state, line);
}

} // namespace

BENCHMARK(BM_CheckPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckPageOneLine)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
