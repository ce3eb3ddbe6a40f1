#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

namespace vellum {

/// What a finding of the page check is about: the page's structure (an error or a warning) or
/// one of its local links or anchors.
enum class FindingKind { Error, Warning, Link };

/// The word the Page Check window shows for a kind: "error", "warning" or "link".
QString findingKindText(FindingKind kind);

/// One thing wrong in a page, placed in the text that was checked.
struct Finding {
    FindingKind kind = FindingKind::Error;
    /// The offending characters in the checked text (a position as the editor counts it: CR LF
    /// counts two); empty when only a place is known.
    int start = 0;
    int end = 0;
    /// The 1-based line and column of `start`.
    int line = 1;
    int column = 1;
    QString message;
};

/// A 1-based line and column in a text; the column counts the characters before it on its line.
struct TextPoint {
    int line = 1;
    int column = 1;
};

/// The lines of a text whose lines end in CR LF, LF or CR, for placing many findings in it: built
/// once, each lookup is a binary search. The text must outlive the index.
class LineIndex {
public:
    explicit LineIndex(QStringView text);
    /// Where `position` stands; a position past the end is taken as the end, one between CR and LF
    /// as the end of its line.
    TextPoint pointOf(int position) const;
    /// The position of `point`; a column past its line's end gives the line's end, a line past the
    /// last gives the text's end.
    int positionOf(TextPoint point) const;

private:
    int lineEnd(int index) const;

    QStringView m_text;
    std::vector<int> m_starts; // the first position of each line
};

/// What to check: a document's text as it is now, and where its local links are looked up.
struct PageCheckRequest {
    /// The text with CR LF line breaks.
    QString text;
    /// The saved file's path; empty for a document never saved.
    QString documentPath;
    /// The folder an unsaved document's links are looked up in.
    QString workingFolder;
};

struct PageCheckResult {
    /// Every finding, in the order of their places in the text.
    QList<Finding> findings;
    /// What the window shows above the rows about where links were looked up: for an unsaved
    /// document "Not saved yet: local links are looked up in <folder>."; empty otherwise.
    QString note;
};

/// Checks a page: its structure, its local links and its anchors. Reads files and never writes
/// one; keeps no state, so it may run on any thread, over a copy of the text.
PageCheckResult checkPage(const PageCheckRequest& request);

} // namespace vellum
