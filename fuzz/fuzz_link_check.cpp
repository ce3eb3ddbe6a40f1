// Any text as a page in a small site (a page with anchors, a picture in a folder, an empty folder)
// made once: every reference lies in the text in order, every anchor has a name, and every link
// finding selects characters of the text at the line and column it gives, with a message.
#include "core/editor/link_check.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

const QTemporaryDir& site() {
    static const QTemporaryDir dir = [] {
        QTemporaryDir made;
        QDir(made.path()).mkpath(QStringLiteral("Pics"));
        QDir(made.path()).mkpath(QStringLiteral("docs"));
        const auto write = [&](const char* name, const char* text) {
            QFile file(made.filePath(QString::fromLatin1(name)));
            check(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        write("page.htm", "<a name=top></a><h1 id=\"a b\">x</h1><a name=%41>");
        write("Pics/logo.gif", "GIF89a");
        return made;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // One character per byte: markup and addresses are ASCII, and percent escapes reach the rest.
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    int previous = 0;
    for (const vellum::PageReference& reference : vellum::pageReferences(text)) {
        check(previous <= reference.start && reference.start <= reference.end &&
              reference.end <= text.size());
        check(!reference.element.isEmpty() && !reference.attribute.isEmpty());
        previous = reference.start;
    }
    for (const QString& anchor : vellum::pageAnchors(text))
        check(!anchor.isEmpty());

    const vellum::LineIndex lines(text);
    previous = 0;
    for (const vellum::Finding& finding :
         vellum::linkFindings(text, site().path(), site().filePath(QStringLiteral("page.htm")))) {
        check(finding.kind == vellum::FindingKind::Link && !finding.message.isEmpty());
        check(previous <= finding.start && finding.start <= finding.end &&
              finding.end <= text.size());
        const vellum::TextPoint point = lines.pointOf(finding.start);
        check(point.line == finding.line && point.column == finding.column);
        previous = finding.start;
    }
    return 0;
}
