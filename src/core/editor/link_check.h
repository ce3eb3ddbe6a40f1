#pragma once

#include "core/editor/page_check.h"

#include <QSet>

namespace vellum {

/// A value of a page's start tag that names another file or a place in a page, as written.
struct PageReference {
    /// The element's name in upper case ("IMG").
    QString element;
    /// The attribute's name in lower case: "src", "href", "background" or "action".
    QString attribute;
    /// Its value, character references decoded.
    QString value;
    /// The value's characters in the text (the attribute's when it has no value).
    int start = 0;
    int end = 0;
};

/// Every src, href, background and action value of the start tags of `text` (CR LF line breaks),
/// in order. Comments and the content of script and style elements hold none.
QList<PageReference> pageReferences(const QString& text);

/// Every anchor `text` defines: the NAME of each A tag and the id of any tag, as written.
QSet<QString> pageAnchors(const QString& text);

/// What is wrong with the local links and anchors of `text` (CR LF line breaks), in order: a local
/// file (relative to `folder` or to the page's local BASE, or a file URL) that does not exist,
/// exists only under another case or is named with backslashes; an anchor missing from the page
/// or from the local page named. Each finding selects the link's value as written. Remote
/// addresses, and relative links under a remote BASE, are never looked up. A link to
/// `documentPath` (the page's own file, empty when it was never saved) looks in `text` rather than
/// on disk. Reads files, never writes one.
QList<Finding> linkFindings(const QString& text, const QString& folder,
                            const QString& documentPath);

} // namespace vellum
