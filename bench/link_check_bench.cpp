// Benchmarks of the link part of the page check over 5 MB of hand-written-like HTML, with the
// site's files in a temporary folder:
//   BM_LinkFindingsFewLinks   the generated page as it is: the walk over its tags is what costs
//   BM_LinkFindingsManyLinks  the same page with a block of links and anchors after every fourth
//                             line (existing and missing files, names in another case, anchors of
//                             this page and of another, remote addresses): tens of thousands
// Bytes are the document's UTF-8 bytes. One MB here is 2^20 characters.

#include "generated_html.h"

#include "core/editor/link_check.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace {

using vellum::bench::generateHtml;

constexpr int CharsPerMB = 1 << 20;

const QString& page() {
    static const QString text = generateHtml(5 * CharsPerMB, 0x11c4ULL);
    return text;
}

QString manyLinks() {
    const QStringList lines = page().split(QStringLiteral("\r\n"));
    QStringList out;
    for (int i = 0; i < lines.size(); ++i) {
        out.append(lines[i]);
        if (i % 4 != 3)
            continue;
        const int n = i / 4;
        out.append(QStringLiteral("<p id=\"p%1\"><a name=\"a%1\" href=\"#p%2\">here</a> "
                                  "<img src=\"pics/logo.gif\" alt=x> <img src=\"pics/%3.gif\">")
                       .arg(n)
                       .arg(n / 2)
                       .arg(n % 300));
        out.append(QStringLiteral("<a href=\"docs/page.htm#part%1\">part</a> <a href=Docs/Page.htm>"
                                  " <a href=\"http://example.com/%2\">away</a></p>")
                       .arg(n % 5)
                       .arg(n));
    }
    return out.join(QStringLiteral("\r\n"));
}

class SiteFolder {
public:
    SiteFolder() {
        QDir(m_dir.path()).mkpath(QStringLiteral("pics"));
        QDir(m_dir.path()).mkpath(QStringLiteral("docs"));
        for (int i = 0; i < 300; i += 2)
            write(QStringLiteral("pics/%1.gif").arg(i), "GIF89a");
        write(QStringLiteral("pics/logo.gif"), "GIF89a");
        write(QStringLiteral("docs/page.htm"), "<a name=part1></a><h2 id=part2>");
    }
    QString path() const { return m_dir.path(); }

private:
    void write(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    QTemporaryDir m_dir;
};

void run(benchmark::State& state, const QString& text) {
    const SiteFolder site;
    const QString document = site.path() + QStringLiteral("/index.htm");
    qsizetype findings = 0;
    for (auto _ : state) {
        findings = vellum::linkFindings(text, site.path(), document).size();
        benchmark::DoNotOptimize(findings);
    }
    state.SetBytesProcessed(state.iterations() * text.toUtf8().size());
    state.counters["links"] = static_cast<double>(vellum::pageReferences(text).size());
    state.counters["findings"] = static_cast<double>(findings);
}

void BM_LinkFindingsFewLinks(benchmark::State& state) {
    run(state, page());
}

void BM_LinkFindingsManyLinks(benchmark::State& state) {
    static const QString text = manyLinks();
    run(state, text);
}

} // namespace

BENCHMARK(BM_LinkFindingsFewLinks)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkFindingsManyLinks)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
