// Keeping a modified document for recovery, on documents of 1, 5 and 20 MB in a real main window:
//   snapshot/N   what the window's thread spends when a recovery write is due: the text of the
//                document taken through RecoveryBook::takeDue (the typing waits for this)
//   snapshot_after_typing/N   the same when a character has been typed in the middle of the
//                text since the last one (untimed), as when the user pauses while typing
//   raw_text/N   the editor's searchable text alone, for comparison (no line-break conversion)
//   write/N      what the worker thread spends: encoding, checksum, writing, flushing to disk and
//                renaming (the typing does not wait for this)
// One MB here is 2^20 characters of generated hand-written-like HTML.

#include "started_main.h"

#include "core/app/recovery_documents.h"
#include "core/app/recovery_folders.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <string>

namespace {

/// A started main window whose active document holds a modified generated document of one size.
class Bench {
public:
    vellum::Document& document(int mb) {
        m_started.load(mb);
        m_started.control().setModified(true);
        return m_started.document().record();
    }
    vellum::Workspace& workspace() { return m_started.app().workspace(); }
    QString folder() const { return m_folder.path(); }

private:
    vellum::bench::StartedMain m_started;
    QTemporaryDir m_folder;
};

std::vector<vellum::RecoveryJob> snapshot(Bench& bench, vellum::RecoveryBook& book, int mb) {
    book.changed(bench.document(mb));
    std::optional<QString> error;
    std::vector<vellum::RecoveryJob> jobs =
        book.takeDue(bench.workspace(), QDateTime::currentDateTimeUtc(), error);
    if (error || jobs.size() != 1)
        qFatal("no snapshot was taken");
    book.finished(jobs.front().serial);
    return jobs;
}

void BM_Snapshot(benchmark::State& state, Bench* bench, int mb) {
    vellum::RecoveryFolder folder(bench->folder());
    vellum::RecoveryBook book(folder);
    bench->document(mb);
    for (auto _ : state)
        benchmark::DoNotOptimize(snapshot(*bench, book, mb));
}

void BM_SnapshotAfterTyping(benchmark::State& state, Bench* bench, int mb) {
    vellum::RecoveryFolder folder(bench->folder());
    vellum::RecoveryBook book(folder);
    vellum::TextControl& text = bench->document(mb).text();
    const int middle = text.length() / 2;
    snapshot(*bench, book, mb); // the first one after loading reads the whole text
    bool typed = false;
    for (auto _ : state) {
        state.PauseTiming();
        text.setSelection(middle, typed ? middle + 1 : middle);
        text.replaceSelection(typed ? QString() : QStringLiteral("x"));
        typed = !typed;
        state.ResumeTiming();
        benchmark::DoNotOptimize(snapshot(*bench, book, mb));
    }
}

void BM_RawText(benchmark::State& state, Bench* bench, int mb) {
    const vellum::Document& document = bench->document(mb);
    for (auto _ : state)
        benchmark::DoNotOptimize(document.text().searchableText());
}

void BM_Write(benchmark::State& state, Bench* bench, int mb) {
    vellum::RecoveryFolder folder(bench->folder());
    vellum::RecoveryBook book(folder);
    const std::vector<vellum::RecoveryJob> jobs = snapshot(*bench, book, mb);
    for (auto _ : state) {
        QString error;
        if (!vellum::runRecoveryJob(jobs.front(), error))
            state.SkipWithError(qPrintable(error));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Bench bench; // its windows go before the application
    using Fn = void (*)(benchmark::State&, Bench*, int);
    for (const int mb : {1, 5, 20}) {
        const auto add = [&bench, mb](const char* name, Fn fn) {
            const std::string full = std::string(name) + "/" + std::to_string(mb) + "MB";
            benchmark::RegisterBenchmark(full.c_str(), fn, &bench, mb)
                ->Iterations(5)
                ->Unit(benchmark::kMillisecond);
        };
        add("snapshot", BM_Snapshot);
        add("snapshot_after_typing", BM_SnapshotAfterTyping);
        add("raw_text", BM_RawText);
        add("write", BM_Write);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
