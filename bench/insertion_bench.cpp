// Benchmarks of the main window's insertion operations on large documents of 1, 5 and 20 MB.
//
// A real main window is started as the program starts it (start sequence, first document), in
// a temporary home, with dialogs that answer by themselves and a clipboard of its own. For each
// size the generated document is loaded into the active document window and its layout is let
// settle; then, each time at a random place in the last 4000 characters:
//   wraptag/N     a selection of 1-12 characters is wrapped in <B> and </B>
//                 (Insertions::wrapSelection)
//   listcode2/N   "<BR>" goes through the scratch editor to the caret (Insertions::insertText,
//                 which ends in insertScratch)
//   line_set/N    the document window shows its caret line in the status bar
//   (DocumentWindow::lineSet),
//                 layout settled
//
// The time of an iteration is the call alone, wall clock; the report's CPU column is the whole
// iteration's, untimed preparation and clean-up included. Counters:
//   max_us                  the worst call, wall clock
//   cpu_us, max_cpu_us      this thread's CPU time per call, mean and worst: on a busy machine
//                           the wall clock also holds time spent waiting for a processor
//   preempted               calls during which the thread was made to give up its processor
//   max_unpreempted_us      the worst call among the others, wall clock
//   para_lt_1000_cpu_us     mean CPU time of calls whose caret paragraph is shorter than 1000
//   para_ge_1000_cpu_us     characters, and of the others (a change lays its paragraph out again)
//   then_events_*           the events processed right after the call (the paint, the idle-time
//                           layout of the changed paragraph), not part of the time
// Each insertion is taken out again, untimed, so that the text does not drift. A benchmark whose
// result is not what the operation should have produced stops with an error instead of reporting
// a time. Before each line_set call the status label is emptied, so that every call sets a new
// text there.
// One MB here is 2^20 characters (the text is almost all ASCII, so about as many file bytes).

#include "generated_html.h"
#include "started_main.h"

#include "core/app/document.h"
#include "core/app/document_file.h"
#include "core/app/workspace.h"
#include "core/editor/insertion.h"
#include "core/foundation/clipboard.h"
#include "ui/app/document_area.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/start_sequence.h"
#include "ui/app/status_line.h"
#include "ui/editor/document_window.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

namespace {

using vellum::DocumentWindow;
using vellum::PlainTextControl;
using vellum::bench::generateHtml;
using vellum::bench::NearEnd;
using vellum::bench::Random;
using vellum::bench::StartedMain;

constexpr int LongParagraph = 1000;

/// What one stretch of work took: wall time, this thread's CPU time, and how often the thread
/// was made to give up its processor meanwhile (involuntary context switches).
struct Timing {
    double wallUs = 0;
    double cpuUs = 0;
    long preemptions = 0;
};

/// Measures from its construction to read().
class Stopwatch {
public:
    Stopwatch() : m_preemptions(threadPreemptions()), m_cpuNs(threadCpuNs()) { m_wall.start(); }
    Timing read() const {
        // The clocks are read innermost first, so that neither holds the others' cost.
        const double wallUs = static_cast<double>(m_wall.nsecsElapsed()) / 1e3;
        const double cpuUs = static_cast<double>(threadCpuNs() - m_cpuNs) / 1e3;
        return {wallUs, cpuUs, threadPreemptions() - m_preemptions};
    }

private:
    static qint64 threadCpuNs() {
        timespec ts{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
        return static_cast<qint64>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
    }
    static long threadPreemptions() {
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return usage.ru_nivcsw;
    }

    long m_preemptions;
    qint64 m_cpuNs;
    QElapsedTimer m_wall;
};

/// The events that follow a call, as the idle window would process them.
Timing processFollowingEvents() {
    const Stopwatch t;
    QCoreApplication::processEvents();
    return t.read();
}

/// Sums of what the iterations saw, reported as counters.
class Figures {
public:
    /// One timed call, the events processed after it, and the length of the caret's paragraph
    /// afterwards.
    void add(const Timing& call, const Timing& events, int paragraph) {
        ++m_count;
        m_maxUs = std::max(m_maxUs, call.wallUs);
        m_cpuUs += call.cpuUs;
        m_maxCpuUs = std::max(m_maxCpuUs, call.cpuUs);
        if (call.preemptions > 0)
            ++m_preempted;
        else
            m_maxUnpreemptedUs = std::max(m_maxUnpreemptedUs, call.wallUs);
        m_eventsUs += events.wallUs;
        m_maxEventsUs = std::max(m_maxEventsUs, events.wallUs);
        m_eventsCpuUs += events.cpuUs;
        m_maxEventsCpuUs = std::max(m_maxEventsCpuUs, events.cpuUs);
        if (paragraph >= LongParagraph) {
            m_longCpuUs += call.cpuUs;
            ++m_longCount;
        } else {
            m_shortCpuUs += call.cpuUs;
            ++m_shortCount;
        }
    }

    void report(benchmark::State& state) const {
        const double n = std::max(1, m_count);
        state.counters["max_us"] = m_maxUs;
        state.counters["cpu_us"] = m_cpuUs / n;
        state.counters["max_cpu_us"] = m_maxCpuUs;
        state.counters["preempted"] = m_preempted;
        state.counters["max_unpreempted_us"] = m_maxUnpreemptedUs;
        state.counters["para_lt_1000_cpu_us"] = m_shortCount ? m_shortCpuUs / m_shortCount : -1;
        state.counters["para_ge_1000_cpu_us"] = m_longCount ? m_longCpuUs / m_longCount : -1;
        state.counters["then_events_us"] = m_eventsUs / n;
        state.counters["then_events_max_us"] = m_maxEventsUs;
        state.counters["then_events_cpu_us"] = m_eventsCpuUs / n;
        state.counters["then_events_max_cpu_us"] = m_maxEventsCpuUs;
    }

private:
    int m_count = 0, m_preempted = 0;
    double m_maxUs = 0, m_cpuUs = 0, m_maxCpuUs = 0, m_maxUnpreemptedUs = 0;
    double m_eventsUs = 0, m_maxEventsUs = 0, m_eventsCpuUs = 0, m_maxEventsCpuUs = 0;
    double m_shortCpuUs = 0, m_longCpuUs = 0;
    int m_shortCount = 0, m_longCount = 0;
};

/// The length of the paragraph holding the caret, without its line break.
int caretParagraph(DocumentWindow& document) {
    return document.editorWidget()->textCursor().block().length() - 1;
}

void BM_Wraptag(benchmark::State& state, StartedMain* started, int mb) {
    started->load(mb);
    PlainTextControl& control = started->control();
    vellum::Insertions& insertions = started->app().workspace().insertions();
    const QString open = QStringLiteral("<B>"), close = QStringLiteral("</B>");
    Random rnd(17);
    Figures figures;
    for (auto _ : state) {
        const int length = control.length();
        const int at = std::max(0, length - rnd.between(1, NearEnd));
        control.setSelection(at, at + rnd.between(1, 12));
        const vellum::Selection before = control.selection();
        const QString selected = control.selectedText();
        QCoreApplication::processEvents(); // the scroll and paint of the selection, not timed

        const Stopwatch t;
        insertions.wrapSelection(open, close);
        const Timing call = t.read();
        state.SetIterationTime(call.wallUs / 1e6);
        const Timing events = processFollowingEvents();
        figures.add(call, events, caretParagraph(started->document()));

        // Spaces ending the selection stay outside the tags, which hold the rest selected.
        int spaces = 0;
        while (spaces < selected.size() &&
               selected.at(selected.size() - 1 - spaces) == QLatin1Char(' '))
            ++spaces;
        const int inner = static_cast<int>(selected.size()) - spaces;
        const int p0 = before.start;
        const vellum::Selection now = control.selection();
        control.setSelection(p0,
                             p0 + static_cast<int>(open.size() + selected.size() + close.size()));
        const QString wrapped = control.selectedText();
        if (wrapped != open + selected.left(inner) + close + selected.right(spaces) ||
            now.start != p0 + open.size() || now.end != now.start + inner) {
            state.SkipWithError("the selection was not wrapped as expected");
            break;
        }
        control.replaceSelection(selected); // take the tags out again, not timed
        QCoreApplication::processEvents();
        if (control.length() != length) {
            state.SkipWithError("the tags were not taken out");
            break;
        }
    }
    figures.report(state);
}

void BM_Listcode2(benchmark::State& state, StartedMain* started, int mb) {
    started->load(mb);
    PlainTextControl& control = started->control();
    vellum::Insertions& insertions = started->app().workspace().insertions();
    const QString text = QStringLiteral("<BR>");
    Random rnd(19);
    Figures figures;
    for (auto _ : state) {
        const int length = control.length();
        const int at = std::max(0, length - rnd.between(1, NearEnd));
        control.setSelection(at, at);
        const int p0 = control.selection().start;
        QCoreApplication::processEvents(); // not timed

        const Stopwatch t;
        insertions.insertText(text);
        const Timing call = t.read();
        state.SetIterationTime(call.wallUs / 1e6);
        const Timing events = processFollowingEvents();
        figures.add(call, events, caretParagraph(started->document()));

        const int caret = control.selection().start;
        control.setSelection(p0, p0 + static_cast<int>(text.size()));
        if (control.length() != length + text.size() || caret != p0 + text.size() ||
            control.selectedText() != text || started->app().workspace().scratch().length() != 0) {
            state.SkipWithError("the text did not arrive at the caret through the scratch editor");
            break;
        }
        control.replaceSelection(QString()); // not timed
        QCoreApplication::processEvents();
    }
    figures.report(state);
}

void BM_LineSet(benchmark::State& state, StartedMain* started, int mb) {
    started->load(mb);
    PlainTextControl& control = started->control();
    DocumentWindow& document = started->document();
    QLabel* label = started->app().status().linecol();
    Random rnd(23);
    Figures figures;
    for (auto _ : state) {
        const int at = std::max(0, control.length() - rnd.between(1, NearEnd));
        control.setSelection(at, at);
        QCoreApplication::processEvents(); // not timed
        if (!control.isLayoutSettled()) {
            state.SkipWithError("layout not settled");
            break;
        }
        label->clear(); // so that every call sets a new text, the dearer case

        const Stopwatch t;
        document.lineSet();
        const Timing call = t.read();
        state.SetIterationTime(call.wallUs / 1e6);
        const Timing events = processFollowingEvents();
        figures.add(call, events, caretParagraph(document));

        if (label->text() != QString::number(control.lineFromPosition(-1) + 1)) {
            state.SkipWithError("the status bar does not show the caret line");
            break;
        }
    }
    figures.report(state);
    state.counters["display_lines"] = control.lineCount();
    state.counters["viewport_width"] = document.editorWidget()->viewport()->width();
}

void registerBenchmarks(StartedMain& started) {
    using Fn = void (*)(benchmark::State&, StartedMain*, int);
    for (const int mb : {1, 5, 20}) {
        const auto add = [&started, mb](const char* name, Fn fn) {
            const std::string full = std::string(name) + "/" + std::to_string(mb) + "MB";
            benchmark::RegisterBenchmark(full.c_str(), fn, &started, mb)
                ->UseManualTime()
                ->Iterations(300)
                ->Unit(benchmark::kMicrosecond);
        };
        add("wraptag", BM_Wraptag);
        add("listcode2", BM_Listcode2);
        add("line_set", BM_LineSet);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int status = 0;
    {
        StartedMain started; // its windows go before the application
        registerBenchmarks(started);
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv))
            status = 1;
        else
            benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
    }
    return status;
}
