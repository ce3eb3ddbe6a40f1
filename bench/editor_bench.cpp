// Benchmarks of the editor widget adapter (PlainTextControl over a shown PlainTextEditor) with
// large hand-written-HTML-like documents of 1, 5 and 20 MB.
//
// For each size, in this order:
//   load_settle/N           setText, first paint, then the idle-time line count until settled; peak
//                           resident memory (VmHWM, reset before loading) and the longest stall
//   shown/N                 setText + the widget's first paint, on a fresh shown editor
//   exact_last_line/N       lineFromPosition(length()) right after loading (counts every paragraph)
//   warm_line_from_pos/N    lineFromPosition at random positions, layout settled
//   warm_line_start/N       lineStart at random lines, layout settled
//   whole_text/N            text(), as saving and searching read it
//   keystroke_replace/N     setSelection near the end, replaceSelection("x"), lineFromPosition(-1)
//   keystroke_typed/N       a typed 'x' (QTest key event) near the end, lineFromPosition(-1);
//                           a thousand of them, for the worst one; the caret is put in place
//                           beforehand, untimed (max_with_move_cpu_us adds the move)
//   resize/N                widen or narrow by 100 px, then the idle-time line count until settled;
//                           reports the longest single stall of the event loop
//   font_change/N           the font 2 px larger or back, then the idle-time line count until
//                           settled; reports the longest single stall of the event loop
// and, at 1, 5, 20 and 100 MB and on 5 MB as one line:
//   open_file/N             the document as a UTF-8 file with CR LF breaks: loadDocumentFile, the
//                           text handed to the editor, the first paint, then the idle-time line
//                           count until settled; each phase apart, with read and decode timed
//                           on their own beforehand, and the peak resident memory of the open;
//                           then one more repaint once settled (as each blink of the caret asks)
//
// With VELLUM_BENCH_SPELLING set to a dictionary's language (say en_US), every editor checks the
// spelling of its prose in that language, with the dictionary loaded beforehand: run the program
// with and without it for what spelling as you type costs.
//
// Times that include event processing use manual timing; the counters say what else was seen.
// Counters named *cpu* are this thread's CPU time: on a busy machine a wall-clock maximum also
// holds the time spent waiting for a processor.
// A benchmark whose answers are inconsistent stops with an error instead of reporting a time.
// One MB here is 2^20 characters (the text is almost all ASCII, so about as many file bytes).

#include "generated_html.h"

#include "core/app/document_file.h"
#include "core/foundation/clipboard.h"
#include "platform/editor/spell_dictionary.h"
#include "ui/editor/html_highlighter.h"
#include "ui/editor/plain_text_control.h"
#include "ui/editor/plain_text_editor.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThread>

#include <fcntl.h>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using vellum::PlainTextControl;
using vellum::PlainTextEditor;
using vellum::bench::generateHtml;
using vellum::bench::Random;

constexpr int EditorWidth = 1000;
constexpr int EditorHeight = 700;
constexpr int ResizeStep = 100;
constexpr int CharsPerMB = 1 << 20;
constexpr std::uint64_t DocumentSeed = 0x5eed0fd0c5ULL;

// ---------------------------------------------------------------------------------------------
// Process memory

/// A "VmHWM:" / "VmRSS:" value of /proc/self/status in MiB, or -1.
double procStatusMiB(const char* key) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QByteArray prefix(key);
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

/// Gives freed heap memory back to the system, then resets the peak resident set size to the
/// current one (Linux 4.0 and later), so that the next peak belongs to what runs next.
bool resetPeakResidentSet() {
    malloc_trim(0);
    const int fd = ::open("/proc/self/clear_refs", O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, "5", 1) == 1;
    ::close(fd);
    return ok;
}

// ---------------------------------------------------------------------------------------------
// The editor under test

/// Wall time and this thread's CPU time since the last start. On a busy machine the difference
/// is time the thread spent waiting for a processor, which the CPU time leaves out.
class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart() {
        m_wall.start();
        m_cpuNs = threadCpuNs();
    }
    double wallMs() const { return static_cast<double>(m_wall.nsecsElapsed()) / 1e6; }
    double cpuMs() const { return static_cast<double>(threadCpuNs() - m_cpuNs) / 1e6; }

private:
    static qint64 threadCpuNs() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<qint64>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
    }

    QElapsedTimer m_wall;
    qint64 m_cpuNs = 0;
};

struct SliceStats {
    double maxSliceMs = 0;
    double maxSliceCpuMs = 0;
    int slices = 0;
};

/// The dictionary every editor checks its prose with, loaded; null when spelling is not timed.
vellum::SpellDictionary* spelling() {
    static const QString language = qEnvironmentVariable("VELLUM_BENCH_SPELLING");
    static vellum::SpellDictionary* const dictionary = [] {
        if (language.isEmpty())
            return static_cast<vellum::SpellDictionary*>(nullptr);
        auto* loaded = new vellum::SpellDictionary(qApp);
        if (!loaded->installed(language))
            qFatal("no spelling dictionary for %s", qPrintable(language));
        while (!loaded->ready(language))
            QThread::msleep(10);
        return loaded;
    }();
    return dictionary;
}

struct Editor {
    vellum::MemoryClipboard clipboard;
    std::unique_ptr<PlainTextEditor> widget;
    PlainTextControl* control = nullptr; // a child of the widget

    Editor() : widget(std::make_unique<PlainTextEditor>()) {
        control = new PlainTextControl(widget.get(), &clipboard);
        if (vellum::SpellDictionary* dictionary = spelling())
            widget->highlighter().setSpelling(dictionary,
                                              qEnvironmentVariable("VELLUM_BENCH_SPELLING"));
        widget->resize(EditorWidth, EditorHeight);
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget.get()))
            qFatal("the editor window was not exposed");
        QCoreApplication::processEvents();
    }

    struct LoadTimes {
        double setTextMs = 0;
        double paintMs = 0; // the paint and the events it posted
        double cpuMs = 0;   // of both
    };

    /// setText, then paint the viewport and process what that posted.
    LoadTimes loadAndPaint(const QString& text) {
        const Stopwatch all;
        Stopwatch t;
        control->setText(text);
        const double setTextMs = t.wallMs();
        t.restart();
        widget->viewport()->repaint();
        QCoreApplication::processEvents();
        return {setTextMs, t.wallMs(), all.cpuMs()};
    }

    /// Processes events one slice at a time, as an idle window would, until the adapter reports
    /// its layout settled; then once more for what is left (a paint, a scroll-bar update).
    SliceStats processUntilSettled() {
        SliceStats s;
        bool settled = false;
        while (!settled) {
            settled = control->isLayoutSettled();
            const Stopwatch slice;
            QCoreApplication::processEvents();
            s.maxSliceMs = std::max(s.maxSliceMs, slice.wallMs());
            s.maxSliceCpuMs = std::max(s.maxSliceCpuMs, slice.cpuMs());
            ++s.slices;
        }
        return s;
    }
};

/// The generated documents and the warm editor shared by the benchmarks of one size.
class Workbench {
public:
    /// The document of `mb` MB; only the latest one is kept.
    const QString& document(int mb) {
        if (m_documentMb != mb) {
            m_document = QString();
            m_document =
                generateHtml(mb * CharsPerMB, DocumentSeed + static_cast<std::uint64_t>(mb));
            m_documentMb = mb;
        }
        return m_document;
    }

    /// An editor with the document of `mb` MB loaded and its layout settled.
    Editor& warmEditor(int mb) {
        if (m_editorMb != mb)
            dropEditor();
        if (!m_editor) {
            auto e = std::make_unique<Editor>();
            e->loadAndPaint(document(mb));
            e->processUntilSettled();
            adoptEditor(mb, std::move(e));
        }
        return *m_editor;
    }

    void adoptEditor(int mb, std::unique_ptr<Editor> editor) {
        m_editor = std::move(editor);
        m_editorMb = mb;
    }

    void dropEditor() {
        m_editor.reset();
        m_editorMb = -1;
    }

    void dropDocument() {
        m_document = QString();
        m_documentMb = -1;
    }

private:
    int m_documentMb = -1;
    QString m_document;
    int m_editorMb = -1;
    std::unique_ptr<Editor> m_editor;
};

// ---------------------------------------------------------------------------------------------
// Benchmarks

void BM_LoadSettle(benchmark::State& state, Workbench* bench, int mb) {
    bench->dropEditor();
    const QString& text = bench->document(mb);
    const bool peakReset = resetPeakResidentSet();
    const double rssBefore = procStatusMiB("VmRSS:");
    SliceStats stats;
    for (auto _ : state) {
        auto e = std::make_unique<Editor>();
        const Stopwatch t;
        e->loadAndPaint(text);
        stats = e->processUntilSettled();
        state.SetIterationTime(t.wallMs() / 1e3);
        bench->adoptEditor(mb, std::move(e));
    }
    state.counters["idle_max_slice_ms"] = stats.maxSliceMs;
    state.counters["idle_max_slice_cpu_ms"] = stats.maxSliceCpuMs;
    state.counters["idle_slices"] = stats.slices;
    state.counters["rss_before_MiB"] = rssBefore;
    state.counters["rss_MiB"] = procStatusMiB("VmRSS:");
    state.counters["peak_rss_MiB"] = procStatusMiB("VmHWM:");
    if (!peakReset)
        state.SetLabel("VmHWM could not be reset: the peak is the process's");
}

void BM_Shown(benchmark::State& state, Workbench* bench, int mb) {
    const QString& text = bench->document(mb);
    Editor::LoadTimes sum;
    for (auto _ : state) {
        auto e = std::make_unique<Editor>();
        const Editor::LoadTimes times = e->loadAndPaint(text);
        state.SetIterationTime((times.setTextMs + times.paintMs) / 1e3);
        sum.setTextMs += times.setTextMs;
        sum.paintMs += times.paintMs;
        sum.cpuMs += times.cpuMs;
        e.reset(); // not timed
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["set_text_ms"] = sum.setTextMs / n;
    state.counters["paint_ms"] = sum.paintMs / n;
    state.counters["cpu_ms"] = sum.cpuMs / n;
    state.counters["chars"] = static_cast<double>(text.size());
}

void BM_ExactLastLine(benchmark::State& state, Workbench* bench, int mb) {
    const QString& text = bench->document(mb);
    Editor e;
    int line = 0;
    for (auto _ : state) {
        e.loadAndPaint(text); // not timed
        const Stopwatch t;
        line = e.control->lineFromPosition(e.control->length());
        state.SetIterationTime(t.wallMs() / 1e3);
    }
    // The text ends with a line break, so its end is on the final empty line, one past the
    // counted ones; after the idle-time layout the answer must not change.
    e.processUntilSettled();
    if (line != e.control->lineCount() || line != e.control->lineFromPosition(e.control->length()))
        state.SkipWithError("the last line is not where the line count says");
    state.counters["display_lines"] = line;
    state.counters["paragraphs"] = e.widget->document()->blockCount();
}

/// Fails the benchmark unless display lines and their starts agree at some random lines.
bool linesAgree(benchmark::State& state, const PlainTextControl& control) {
    if (!control.isLayoutSettled()) {
        state.SkipWithError("layout not settled");
        return false;
    }
    Random rnd(5);
    for (int i = 0; i < 200; ++i) {
        const int line = rnd.between(0, control.lineCount() - 1);
        if (control.lineFromPosition(control.lineStart(line)) != line) {
            state.SkipWithError("lineFromPosition(lineStart(line)) != line");
            return false;
        }
    }
    return true;
}

void BM_WarmLineFromPosition(benchmark::State& state, Workbench* bench, int mb) {
    const Editor& e = bench->warmEditor(mb);
    if (!linesAgree(state, *e.control))
        return;
    Random rnd(7);
    std::vector<int> positions(4096);
    for (int& p : positions)
        p = rnd.between(0, e.control->length());
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.control->lineFromPosition(positions[i]));
        i = (i + 1) % positions.size();
    }
}

void BM_WarmLineStart(benchmark::State& state, Workbench* bench, int mb) {
    const Editor& e = bench->warmEditor(mb);
    if (!linesAgree(state, *e.control))
        return;
    Random rnd(11);
    std::vector<int> lines(4096);
    const int count = e.control->lineCount();
    for (int& l : lines)
        l = rnd.between(0, count - 1);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(e.control->lineStart(lines[i]));
        i = (i + 1) % lines.size();
    }
    state.counters["display_lines"] = count;
}

void BM_WholeText(benchmark::State& state, Workbench* bench, int mb) {
    const Editor& e = bench->warmEditor(mb);
    for (auto _ : state)
        benchmark::DoNotOptimize(e.control->text());
}

/// Keystrokes at random places in the last 4000 characters; the time is the keystroke and the
/// status-line query; the paint and other events that follow are counted apart. A keystroke
/// lays its whole paragraph out again, so the counters also split by paragraph length. Each
/// inserted character is taken out again, untimed, so that the text does not drift.
///
/// `place(at)` puts the caret there first, with the events that follow it, untimed: moving the
/// caret (and scrolling to it) is not typing. The worst keystroke with the move added to it is
/// counted apart (max_with_move_cpu_us).
template <typename Place, typename Keystroke, typename Undo>
void runKeystrokes(benchmark::State& state, Editor& e, Place place, Keystroke keystroke,
                   Undo takeOut) {
    Random rnd(13);
    double maxUs = 0, cpuUs = 0, maxCpuUs = 0, eventsUs = 0, maxEventsUs = 0;
    double shortCpuUs = 0, longCpuUs = 0, maxWithMoveCpuUs = 0;
    int shortCount = 0, longCount = 0;
    for (auto _ : state) {
        const int length = e.control->length();
        const int at = std::max(0, length - rnd.between(1, 4000));
        Stopwatch t;
        place(at);
        const double moveCpu = t.cpuMs() * 1e3;
        QCoreApplication::processEvents();
        t.restart();
        keystroke(at);
        benchmark::DoNotOptimize(e.control->lineFromPosition(-1));
        const double us = t.wallMs() * 1e3, cpu = t.cpuMs() * 1e3;
        state.SetIterationTime(us / 1e6);
        if (e.control->length() != length + 1) {
            state.SkipWithError("the keystroke did not add one character");
            break;
        }
        maxUs = std::max(maxUs, us);
        cpuUs += cpu;
        maxCpuUs = std::max(maxCpuUs, cpu);
        maxWithMoveCpuUs = std::max(maxWithMoveCpuUs, moveCpu + cpu);
        const int paragraph = e.widget->textCursor().block().length() - 1;
        if (paragraph < 200) {
            shortCpuUs += cpu;
            ++shortCount;
        } else if (paragraph >= 1000) {
            longCpuUs += cpu;
            ++longCount;
        }
        t.restart();
        QCoreApplication::processEvents();
        eventsUs += t.wallMs() * 1e3;
        maxEventsUs = std::max(maxEventsUs, t.wallMs() * 1e3);
        takeOut();
        QCoreApplication::processEvents();
        if (e.control->length() != length) {
            state.SkipWithError("the inserted character was not taken out");
            break;
        }
    }
    const double n =
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["max_us"] = maxUs;
    state.counters["cpu_us"] = cpuUs / n;
    state.counters["max_cpu_us"] = maxCpuUs;
    state.counters["max_with_move_cpu_us"] = maxWithMoveCpuUs;
    state.counters["short_line_cpu_us"] = shortCount ? shortCpuUs / shortCount : -1;
    state.counters["long_para_cpu_us"] = longCount ? longCpuUs / longCount : -1;
    state.counters["then_events_us"] = eventsUs / n;
    state.counters["then_events_max_us"] = maxEventsUs;
    e.processUntilSettled();
}

void BM_KeystrokeReplace(benchmark::State& state, Workbench* bench, int mb) {
    Editor& e = bench->warmEditor(mb);
    // The selection is part of the call, and is timed with it.
    runKeystrokes(
        state, e, [](int) {},
        [&e](int at) {
            e.control->setSelection(at, at);
            e.control->replaceSelection(QStringLiteral("x"));
        },
        [&e] {
            const int caret = e.control->selection().start;
            e.control->setSelection(caret - 1, caret);
            e.control->replaceSelection(QString());
        });
}

void BM_KeystrokeTyped(benchmark::State& state, Workbench* bench, int mb) {
    Editor& e = bench->warmEditor(mb);
    runKeystrokes(
        state, e, [&e](int at) { e.control->setSelection(at, at); },
        [&e](int) { QTest::keyClick(e.widget.get(), 'x'); },
        [&e] { QTest::keyClick(e.widget.get(), Qt::Key_Backspace); });
}

void BM_Resize(benchmark::State& state, Workbench* bench, int mb) {
    Editor& e = bench->warmEditor(mb);
    double maxStallMs = 0, maxStallCpuMs = 0, maxResizeCallMs = 0, slices = 0;
    int linesNarrow = e.control->lineCount(), linesWide = 0;
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        const int layoutWidthBefore = e.widget->layoutWidth();
        const Stopwatch t;
        e.widget->resize(EditorWidth + (wide ? ResizeStep : 0), EditorHeight);
        const double callMs = t.wallMs(), callCpuMs = t.cpuMs();
        const SliceStats s = e.processUntilSettled();
        state.SetIterationTime(t.wallMs() / 1e3);
        if (e.widget->layoutWidth() == layoutWidthBefore) {
            state.SkipWithError("the resize did not reach the widget");
            break;
        }
        (wide ? linesWide : linesNarrow) = e.control->lineCount(); // not timed
        maxResizeCallMs = std::max(maxResizeCallMs, callMs);
        maxStallMs = std::max({maxStallMs, callMs, s.maxSliceMs});
        maxStallCpuMs = std::max({maxStallCpuMs, callCpuMs, s.maxSliceCpuMs});
        slices += s.slices;
    }
    if (wide) { // back to the usual width for whatever runs next
        e.widget->resize(EditorWidth, EditorHeight);
        e.processUntilSettled();
    }
    if (linesWide >= linesNarrow)
        state.SkipWithError("widening did not reduce the display lines");
    state.counters["max_stall_ms"] = maxStallMs;
    state.counters["max_stall_cpu_ms"] = maxStallCpuMs;
    state.counters["resize_call_max_ms"] = maxResizeCallMs;
    state.counters["slices"] =
        slices / static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["lines_narrow"] = linesNarrow;
    state.counters["lines_wide"] = linesWide;
}

void BM_FontChange(benchmark::State& state, Workbench* bench, int mb) {
    Editor& e = bench->warmEditor(mb);
    const QFont usual = e.widget->font();
    QFont larger = usual;
    larger.setPixelSize(std::max(usual.pixelSize(), 13) + 2);
    double maxStallMs = 0, maxStallCpuMs = 0, maxCallMs = 0;
    bool large = false;
    for (auto _ : state) {
        large = !large;
        const Stopwatch t;
        e.widget->setFont(large ? larger : usual);
        const double callMs = t.wallMs(), callCpuMs = t.cpuMs();
        const SliceStats s = e.processUntilSettled();
        state.SetIterationTime(t.wallMs() / 1e3);
        maxCallMs = std::max(maxCallMs, callMs);
        maxStallMs = std::max({maxStallMs, callMs, s.maxSliceMs});
        maxStallCpuMs = std::max({maxStallCpuMs, callCpuMs, s.maxSliceCpuMs});
    }
    if (large) { // back to the usual font for whatever runs next
        e.widget->setFont(usual);
        e.processUntilSettled();
    }
    state.counters["max_stall_ms"] = maxStallMs;
    state.counters["max_stall_cpu_ms"] = maxStallCpuMs;
    state.counters["font_call_max_ms"] = maxCallMs;
}

/// Opening the document from a file, phase by phase, as the program does it; `oneLine`: with
/// its line breaks taken out.
void BM_OpenFile(benchmark::State& state, Workbench* bench, int mb, bool oneLine) {
    bench->dropEditor();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.html"));
    {
        QFile file(path);
        QString text = bench->document(mb);
        if (oneLine)
            text.remove(QLatin1String("\r\n"));
        if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
            state.SkipWithError("the page could not be written");
            return;
        }
    }
    bench->dropDocument(); // the open's memory is the open's alone
    double readMs = 0, decodeMs = 0, loadMs = 0, fillMs = 0, paintMs = 0, countMs = 0;
    double repaintMs = 0;
    double peak = 0;
    for (auto _ : state) {
        { // read and decode alone, for the breakdown
            Stopwatch t;
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                return state.SkipWithError("the page could not be read");
            const QByteArray bytes = file.readAll();
            readMs += t.wallMs();
            t.restart();
            vellum::FileFormat format;
            benchmark::DoNotOptimize(vellum::decodeDocument(bytes, format));
            decodeMs += t.wallMs();
        }
        bench->dropEditor();
        auto e = std::make_unique<Editor>();
        resetPeakResidentSet();
        const Stopwatch all;
        Stopwatch t;
        vellum::LoadedDocument loaded;
        QString error;
        if (!vellum::loadDocumentFile(path, loaded, error))
            return state.SkipWithError("loadDocumentFile failed");
        loadMs += t.wallMs();
        t.restart();
        e->control->takeText(std::move(loaded.text));
        fillMs += t.wallMs();
        t.restart();
        e->widget->viewport()->repaint();
        QCoreApplication::processEvents();
        paintMs += t.wallMs();
        t.restart();
        e->processUntilSettled();
        countMs += t.wallMs();
        state.SetIterationTime(all.wallMs() / 1e3);
        peak = std::max(peak, procStatusMiB("VmHWM:"));
        t.restart();
        e->widget->viewport()->repaint();
        repaintMs += t.wallMs();
        bench->adoptEditor(mb, std::move(e));
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["read_ms"] = readMs / n;
    state.counters["decode_ms"] = decodeMs / n;
    state.counters["load_ms"] = loadMs / n;
    state.counters["fill_ms"] = fillMs / n;
    state.counters["paint_ms"] = paintMs / n;
    state.counters["count_ms"] = countMs / n;
    state.counters["repaint_ms"] = repaintMs / n;
    state.counters["peak_rss_MiB"] = peak;
    state.counters["rss_MiB"] = procStatusMiB("VmRSS:");
    bench->dropEditor();
}

void registerBenchmarks(Workbench& bench) {
    using Fn = void (*)(benchmark::State&, Workbench*, int);
    struct Size {
        int mb;
        int slowIterations; // for what loads or lays out the whole text
    };
    for (const Size size : {Size{1, 5}, Size{5, 3}, Size{20, 2}}) {
        const auto add = [&bench, size](const char* name, Fn fn) {
            const std::string full = std::string(name) + "/" + std::to_string(size.mb) + "MB";
            return benchmark::RegisterBenchmark(full.c_str(), fn, &bench, size.mb);
        };
        const auto slow = [&add, size](const char* name, Fn fn, int iterations) {
            add(name, fn)->UseManualTime()->Iterations(iterations)->Unit(benchmark::kMillisecond);
        };
        slow("load_settle", BM_LoadSettle, 1);
        slow("shown", BM_Shown, size.slowIterations);
        slow("exact_last_line", BM_ExactLastLine, size.slowIterations);
        add("warm_line_from_pos", BM_WarmLineFromPosition)->Unit(benchmark::kMicrosecond);
        add("warm_line_start", BM_WarmLineStart)->Unit(benchmark::kMicrosecond);
        add("whole_text", BM_WholeText)->Iterations(5)->Unit(benchmark::kMillisecond);
        add("keystroke_replace", BM_KeystrokeReplace)
            ->UseManualTime()
            ->Iterations(300)
            ->Unit(benchmark::kMicrosecond);
        // The worst of a thousand typed keystrokes is the figure to watch (max_us, max_cpu_us).
        add("keystroke_typed", BM_KeystrokeTyped)
            ->UseManualTime()
            ->Iterations(1000)
            ->Unit(benchmark::kMicrosecond);
        // Each iteration is one resize (wider, then back) and its re-layout.
        slow("resize", BM_Resize, size.slowIterations + 1);
        // Each iteration is one change of the font size (larger, then back) and its line count.
        slow("font_change", BM_FontChange, size.slowIterations + 1);
    }
    for (const int mb : {1, 5, 20, 100, -5}) {
        const bool oneLine = mb < 0;
        const std::string name =
            "open_file/" + std::to_string(std::abs(mb)) + (oneLine ? "MB_one_line" : "MB");
        benchmark::RegisterBenchmark(name.c_str(), BM_OpenFile, &bench, std::abs(mb), oneLine)
            ->UseManualTime()
            ->Iterations(mb >= 100 ? 1 : 3)
            ->Unit(benchmark::kMillisecond);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Workbench bench; // its widgets go before the application
    registerBenchmarks(bench);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
