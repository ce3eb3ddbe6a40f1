// Keeping a modified document for recovery, on documents of 1, 5 and 20 MB in a real main window:
//   snapshot/N   what the window's thread spends when a recovery write is due: the text of the
//                document taken through RecoveryBook::takeDue (the typing waits for this)
//   raw_text/N   the editor's searchable text alone, for comparison (no line-break conversion)
//   write/N      what the worker thread spends: encoding, checksum, writing, flushing to disk and
//                renaming (the typing does not wait for this)
// One MB here is 2^20 characters of generated hand-written-like HTML.

#include "generated_html.h"

#include "core/app/document.h"
#include "core/app/home_directory.h"
#include "core/app/recovery_documents.h"
#include "core/app/recovery_folders.h"
#include "core/app/settings_file.h"
#include "core/editor/clipboard.h"
#include "ui/app/document_area.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/start_sequence.h"
#include "ui/editor/document_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>
#include <string>

namespace {

using vellum::bench::generateHtml;

constexpr int CharsPerMB = 1 << 20;
constexpr std::uint64_t DocumentSeed = 0x5eed0fd0c5ULL;

/// Answers every question No and shows nothing.
class QuietPrompter : public vellum::MessageBoxPrompter {
public:
    void inform(const QString& text) override { say(text); }
    void error(const QString& text) override { say(text); }
    bool askYesNo(const QString&) override { return false; }
    Answer askYesNoCancel(const QString&) override { return Answer::No; }
    QString openFileName(const vellum::FileDialogRequest&) override { return {}; }
    QString saveFileName(const vellum::FileDialogRequest&) override { return {}; }
    std::optional<QList<int>> chooseRecoveries(const QList<vellum::RecoveryChoice>&) override {
        return std::nullopt;
    }

private:
    static void say(const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }
};

/// A started main window whose active document holds a generated document of one size.
class Bench {
public:
    Bench() {
        // The window's own recovery writer stays out of the way of the timed one.
        vellum::SettingsFile(vellum::HomeDirectory(m_home.path()).settingsPath())
            .writeText(QStringLiteral("Vellum"), QStringLiteral("Recovery"), QStringLiteral("0"));
        m_start = std::make_unique<vellum::StartSequence>(vellum::HomeDirectory(m_home.path()),
                                                          m_prompter, m_clipboard);
        m_main = m_start->run({}, false);
        if (!m_main)
            qFatal("the start sequence did not build a main window");
        m_main->start();
        if (!QTest::qWaitForWindowExposed(m_main.get()))
            qFatal("the main window was not exposed");
    }
    ~Bench() {
        m_main.reset();
        m_start.reset();
    }

    vellum::Document& document(int mb) {
        vellum::TMDIsub& window = *m_main->documents().activeDocument();
        if (m_mb != mb) {
            vellum::LoadedDocument loaded;
            loaded.text = generateHtml(mb * CharsPerMB, DocumentSeed + std::uint64_t(mb));
            window.record().load(std::move(loaded));
            window.control().setModified(true);
            while (!window.control().isLayoutSettled())
                QCoreApplication::processEvents();
            m_mb = mb;
        }
        return window.record();
    }
    vellum::Workspace& workspace() { return m_main->workspace(); }
    QString folder() const { return m_home.filePath(QStringLiteral("bench")); }

private:
    QTemporaryDir m_home;
    QuietPrompter m_prompter;
    vellum::MemoryClipboard m_clipboard;
    std::unique_ptr<vellum::StartSequence> m_start;
    std::unique_ptr<vellum::TMDImain> m_main;
    int m_mb = -1;
};

std::vector<vellum::RecoveryJob> snapshot(Bench& bench, vellum::RecoveryBook& book, int mb) {
    book.changed(bench.document(mb));
    std::optional<QString> error;
    std::vector<vellum::RecoveryJob> jobs =
        book.takeDue(bench.workspace(), QDateTime::currentDateTimeUtc(), error);
    if (error || jobs.size() != 1)
        qFatal("no snapshot was taken");
    book.written(jobs.front().serial);
    return jobs;
}

void BM_Snapshot(benchmark::State& state, Bench* bench, int mb) {
    vellum::RecoveryFolder folder(bench->folder());
    vellum::RecoveryBook book(folder);
    bench->document(mb);
    for (auto _ : state)
        benchmark::DoNotOptimize(snapshot(*bench, book, mb));
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
