// The link part of the page check, over a small site of real files: local links that lead nowhere,
// names in another case or with backslashes, anchors of this page and of other local pages.
#include "core/editor/link_check.h"
#include "core/editor/page_check.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace vellum {
namespace {

// site/index.htm, site/pics/logo.gif, site/my pics/photo.jpg, site/docs/page.htm
class Site {
public:
    Site() {
        write("index.htm", "<a name=\"saved\"></a>");
        write("pics/logo.gif", "GIF89a");
        write("my pics/photo.jpg", "");
        write("docs/page.htm", "<h1 id=\"intro\">x</h1>\n<A NAME=part2>y</A>");
    }
    QString path(const QString& name = {}) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

private:
    void write(const QString& name, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

// A finding drawn as its line, its column, the characters it selects and its message.
QString drawn(const QString& text, const Finding& finding) {
    EXPECT_EQ(finding.kind, FindingKind::Link);
    return QStringLiteral("%1:%2 [%3] %4")
        .arg(finding.line)
        .arg(finding.column)
        .arg(text.mid(finding.start, finding.end - finding.start), finding.message);
}

TEST(LinkCheck, FindingsOfLocalLinksAndAnchors) {
    const struct {
        const char* name;
        const char* text; // "SITE" stands for the site's folder
        const char* finding;
    } rows[] = {
        {"a missing file", "<p>\r\n  <IMG SRC=\"pics/gone.gif\">",
         "2:13 [pics/gone.gif] pics/gone.gif does not exist"},
        {"a name in another case", "<img src=Pics/Logo.gif?v=2>",
         "1:10 [Pics/Logo.gif?v=2] pics/logo.gif exists, but the link says Pics/Logo.gif"},
        {"another case after ..", "<img src=\"docs/../Pics/logo.gif\">",
         "1:11 [docs/../Pics/logo.gif] pics/logo.gif exists, but the link says "
         "docs/../Pics/logo.gif"},
        {"a file taken for a folder", "<img src=\"pics/logo.gif/\">",
         "1:11 [pics/logo.gif/] pics/logo.gif/ does not exist"},
        {"backslashes", "<a href=\"pics\\logo.gif\">",
         "1:10 [pics\\logo.gif] pics\\logo.gif uses backslashes; write pics/logo.gif"},
        {"backslashes to nothing", "<a href=\"pics\\none.gif\">",
         "1:10 [pics\\none.gif] pics\\none.gif does not exist"},
        {"an anchor missing from the page", "<a name=here></a>\r\n<a href=\"#Here\">",
         "2:10 [#Here] There is no anchor \"Here\" in this page"},
        {"an anchor missing from another page", "<a href='docs/page.htm#part3'>",
         "1:10 [docs/page.htm#part3] There is no anchor \"part3\" in docs/page.htm"},
        {"the page itself by name uses the text, not the file", "<a href=\"index.htm#saved\">",
         "1:10 [index.htm#saved] There is no anchor \"saved\" in index.htm"},
        {"a file URL", "<img src=\"file://SITE/pics/none.gif\">",
         "1:11 [file://SITE/pics/none.gif] file://SITE/pics/none.gif does not exist"},
        {"a file URL in another case", "<img src=\"file://localhost/SITE/PICS/logo.gif\">",
         "1:11 [file://localhost/SITE/PICS/logo.gif] file://localhost/SITE/pics/logo.gif exists, "
         "but the link says file://localhost/SITE/PICS/logo.gif"},
        {"the link as written, entities and all", "<link rel=x href=\"a&amp;b.css\">",
         "1:19 [a&amp;b.css] a&b.css does not exist"},
        {"under a local BASE",
         "<base href=\"docs/\"><body background=\"../pics/logo.gif\">"
         "<form action=\"logo.gif\">",
         "1:70 [logo.gif] logo.gif does not exist"},
        {"present anchors, folders, escapes, queries and the page's own anchors",
         "<a name=here></a><h2 id=\"tw&amp;o\"><a href=#here><a href='#tw&amp;o'>"
         "<a href=\"docs/page.htm#part2\"><a href=\"docs/page.htm#intro\"><a href=docs/>"
         "<a href=docs><img src=\"my%20pics/photo.jpg?x#y\"><a href=#><a href=\"\"><a href=#top>"
         "<a href=\"index.htm#new\" name=new><a href=\"pics/\r\nlogo.gif\"><img "
         "src=\"file:///SITE/pics/logo.gif\">",
         ""},
        {"remote addresses and what is no tag",
         "<a href=\"http://example.com/gone.htm\"><a href=HTTPS://x/y><a href=mailto:a@b>"
         "<a href=\"javascript:go('gone.htm')\"><script src=//cdn.example.com/gone.js></script>"
         "<img src=\"data:image/gif;base64,R0lG\"><a href=\"file://server/gone.htm\">"
         "<!-- <img src=\"gone.gif\"> --><script>document.write('<img src=\"gone.gif\">')</script>",
         ""},
        {"under a remote BASE",
         "<base href=\"http://example.com/\"><img src=gone.gif><a href=#none>", ""},
    };
    const Site site;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString text = QString::fromUtf8(row.text).replace("SITE", site.path());
        QStringList found;
        for (const Finding& finding : linkFindings(text, site.path(), site.path("index.htm")))
            found << drawn(text, finding);
        EXPECT_EQ(found.join('\n'), QString::fromUtf8(row.finding).replace("SITE", site.path()));
    }
}

TEST(LinkCheck, UnsavedPageLooksInTheWorkingFolder) {
    const Site site;
    PageCheckRequest request;
    request.text = "<img src=\"pics/logo.gif\"><img src=\"index.htm#saved\"><img src=gone.gif>";
    request.workingFolder = site.path();
    const PageCheckResult result = checkPage(request);
    EXPECT_EQ(result.note, "Not saved yet: local links are looked up in " + site.path() + ".");
    QStringList found;
    for (const Finding& finding : result.findings) {
        if (finding.kind == FindingKind::Link)
            found << drawn(request.text, finding);
    }
    EXPECT_EQ(found.join('\n'), "1:62 [gone.gif] gone.gif does not exist");
}

TEST(LinkCheck, LinkLateOnALongLine) {
    const Site site;
    const QString text = "<html>\r\n<p>" + QString(5 << 20, 'x') +
                         "<!-- <img src=x.gif> --><img alt=\"a > b\" src='pics/gone.gif'>\r\n";
    const QList<Finding> findings = linkFindings(text, site.path(), {});
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(drawn(text, findings[0]), QStringLiteral("2:%1 [pics/gone.gif] pics/gone.gif does "
                                                       "not exist")
                                            .arg(3 + (5 << 20) + 24 + 22 + 1));
}

} // namespace
} // namespace vellum
