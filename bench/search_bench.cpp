// Benchmarks of searching, replacing and tag removal in large documents, each beside a reference
// that does the same work in one plain pass over a byte string, measured in the same run:
//   search/core             findInText for a marker at 99.99 % of 20 MB (match case off)
//   search/editor           SearchText on the editor widget for the same marker, again and again
//                           on the same text: the text read from the widget the first time
//                           serves, is searched, and the hit selected
//   search/editor_edited    the same right after an edit: the whole text is read from the widget
//                           again
//   search/memmem           the reference: memmem over the document's UTF-8 bytes
//   replace_all/editor      Replace Remaining of 256,784 "<td>" by "<TD>" in a 20 MB document,
//                           from the call to the repainted editor (the text is set again,
//                           untimed, before each run)
//   replace_all/core        the same worked out on the text alone (planReplaceRemaining)
//   replace_all/string      the reference: one pass over a std::string building the new text
//   replace_all/u16string   the same over a std::u16string, two bytes a character as the program
//                           holds text
//   killtags/editor         tag removal over a 5 MB selection, to the repainted editor
//   killtags/core           the same on the text alone (withoutTags)
//   killtags/string         the reference: one pass over a std::string dropping every tag
// The editor is a shown PlainTextEditor with its PlainTextControl on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise. One MB here is 2^20 characters.

#include "generated_html.h"

#include "core/editor/search.h"
#include "core/foundation/clipboard.h"
#include "core/foundation/prompter.h"
#include "ui/editor/plain_text_control.h"
#include "ui/editor/plain_text_editor.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include <cstring>
#include <memory>
#include <string>

namespace {

using namespace vellum;

constexpr int CharsPerMB = 1 << 20;
const QString Marker = QStringLiteral("zq-needle-7f3a9c");

/// Answers nothing and shows nothing.
class SilentPrompter : public Prompter {
public:
    void inform(const QString&) override {}
    void error(const QString&) override {}
    bool askYesNo(const QString&) override { return false; }
    Answer askYesNoCancel(const QString&) override { return Answer::Cancel; }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
};

/// 20 MB of generated HTML with the marker at 99.99 %.
QString markedDocument() {
    QString text = bench::generateHtml(20 * CharsPerMB, 0x5ea7c4ULL);
    text.insert(static_cast<qsizetype>(text.size() * 0.9999), Marker);
    return text;
}

/// A table of 256,784 cells, one to a line, about 20 MB.
QString cellDocument() {
    QString text;
    text.reserve(256784 * 84);
    const QString filler = QStringLiteral(" cell text of a hand-written table, some words and the "
                                          "number %1</td>\r\n");
    for (int i = 0; i < 256784; ++i)
        text += QStringLiteral("<td>") + filler.arg(i, 6, 10, QLatin1Char('0'));
    return text;
}

struct Editor {
    MemoryClipboard clipboard;
    std::unique_ptr<PlainTextEditor> widget = std::make_unique<PlainTextEditor>();
    PlainTextControl* control = new PlainTextControl(widget.get(), &clipboard);

    Editor() {
        widget->resize(1000, 700);
        widget->show();
        if (!QTest::qWaitForWindowExposed(widget.get()))
            qFatal("the editor window was not exposed");
    }
    void load(const QString& text) {
        control->setText(text);
        repaint();
    }
    void repaint() {
        widget->viewport()->repaint();
        QCoreApplication::processEvents();
    }
};

Editor& editor() {
    static Editor shared;
    return shared;
}

void BM_SearchCore(benchmark::State& state) {
    const QString text = markedDocument();
    SearchOptions options;
    for (auto _ : state) {
        const qsizetype at = findInText(text, Marker, 0, 0, options);
        if (at < 0)
            state.SkipWithError("the marker was not found");
        benchmark::DoNotOptimize(at);
    }
}

void BM_SearchEditor(benchmark::State& state) {
    editor().load(markedDocument());
    for (auto _ : state) {
        editor().control->setSelection(0, 0);
        if (!SearchText(*editor().control, Marker, SearchOptions{}))
            state.SkipWithError("the marker was not found");
    }
}

// The first search after an edit reads the text out of the widget again.
void BM_SearchEditorEdited(benchmark::State& state) {
    editor().load(markedDocument());
    // One character typed in the middle of the text, or taken out again, before each search.
    const int middle = editor().control->length() / 2;
    bool typed = false;
    for (auto _ : state) {
        state.PauseTiming();
        editor().control->setSelection(middle, typed ? middle + 1 : middle);
        editor().control->replaceSelection(typed ? QString() : QStringLiteral("x"));
        typed = !typed;
        state.ResumeTiming();
        if (!SearchText(*editor().control, Marker, SearchOptions{}))
            state.SkipWithError("the marker was not found");
    }
}

void BM_SearchMemmem(benchmark::State& state) {
    const std::string bytes = markedDocument().toStdString();
    const std::string marker = Marker.toStdString();
    for (auto _ : state) {
        const void* at = memmem(bytes.data(), bytes.size(), marker.data(), marker.size());
        if (!at)
            state.SkipWithError("the marker was not found");
        benchmark::DoNotOptimize(at);
    }
}

void BM_ReplaceAllEditor(benchmark::State& state) {
    const QString text = cellDocument();
    SilentPrompter prompter;
    for (auto _ : state) {
        state.PauseTiming();
        editor().load(text);
        editor().control->setSelection(0, 0);
        SearchState search;
        search.findText = QStringLiteral("<td>");
        search.replaceText = QStringLiteral("<TD>");
        state.ResumeTiming();
        const qsizetype replaced = ReplaceRemaining(*editor().control, search, prompter);
        editor().repaint();
        if (replaced != 256784)
            state.SkipWithError("not every cell was replaced");
    }
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    out.reserve(text.size());
    size_t copied = 0;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, copied)) {
        out.append(text, copied, at - copied);
        out += to;
        copied = at + from.size();
    }
    out.append(text, copied, std::string::npos);
    return out;
}

void BM_ReplaceAllCore(benchmark::State& state) {
    const QString text = cellDocument();
    SearchState search;
    search.findText = QStringLiteral("<td>");
    search.replaceText = QStringLiteral("<TD>");
    for (auto _ : state) {
        const ReplacePlan plan = planReplaceRemaining(text, 0, 0, search);
        if (plan.count != 256784)
            state.SkipWithError("not every cell was replaced");
        benchmark::DoNotOptimize(plan.replacement.data());
    }
}

void BM_ReplaceAllString(benchmark::State& state) {
    const std::string text = cellDocument().toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceAll(text, "<td>", "<TD>"));
}

// The same one pass over the text as the program holds it, two bytes a character: a new text of
// over 32 MB is a fresh mapping whose pages are touched for the first time at every run.
void BM_ReplaceAllU16(benchmark::State& state) {
    const QString document = cellDocument();
    const std::u16string text(reinterpret_cast<const char16_t*>(document.utf16()),
                              static_cast<size_t>(document.size()));
    for (auto _ : state) {
        std::u16string out;
        out.reserve(text.size());
        size_t copied = 0;
        for (size_t at = text.find(u"<td>"); at != std::u16string::npos;
             at = text.find(u"<td>", copied)) {
            out.append(text, copied, at - copied);
            out += u"<TD>";
            copied = at + 4;
        }
        out.append(text, copied, std::u16string::npos);
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_KilltagsEditor(benchmark::State& state) {
    const QString text = bench::generateHtml(5 * CharsPerMB, 0x7a95ULL);
    for (auto _ : state) {
        state.PauseTiming();
        editor().load(text);
        editor().control->selectAll();
        state.ResumeTiming();
        killtags(*editor().control);
        editor().repaint();
    }
}

std::string stripTags(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t copied = 0;
    for (;;) {
        const size_t open = text.find('<', copied);
        if (open == std::string::npos)
            break;
        const size_t close = text.find('>', open + 1);
        if (close == std::string::npos)
            break;
        out.append(text, copied, open - copied);
        copied = close + 1;
    }
    out.append(text, copied, std::string::npos);
    return out;
}

void BM_KilltagsCore(benchmark::State& state) {
    const QString text = bench::generateHtml(5 * CharsPerMB, 0x7a95ULL);
    for (auto _ : state)
        benchmark::DoNotOptimize(withoutTags(text).data());
}

void BM_KilltagsString(benchmark::State& state) {
    const std::string text = bench::generateHtml(5 * CharsPerMB, 0x7a95ULL).toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(stripTags(text));
}

BENCHMARK(BM_SearchCore)->Name("search/core")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEditor)->Name("search/editor")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchEditorEdited)->Name("search/editor_edited")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchMemmem)->Name("search/memmem")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllEditor)
    ->Name("replace_all/editor")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BM_ReplaceAllCore)->Name("replace_all/core")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllString)->Name("replace_all/string")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllU16)->Name("replace_all/u16string")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KilltagsEditor)->Name("killtags/editor")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KilltagsCore)->Name("killtags/core")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KilltagsString)->Name("killtags/string")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
