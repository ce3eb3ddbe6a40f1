#pragma once

#include <QString>
#include <QStringView>

namespace vellum {

/// `crlfText` with each CR LF written as `lineBreak` ("\n", "\r" or "\r\n"), in one pass. Lone CRs
/// and lone LFs are left as they are; for "\r\n" the text comes back unchanged.
QString withLineBreak(const QString& crlfText, QStringView lineBreak);

/// The text with every CR LF, lone CR and lone LF made CR LF.
QString normalizeLineBreaks(const QString& text);

/// The text with every CR LF, lone CR and lone LF made LF (a text widget's paragraph break), in
/// one pass; a text without CR comes back unchanged.
QString lineFeedBreaks(const QString& text);

/// `text` with each paragraph separator (U+2029, how text widgets keep a line break) written as
/// CR LF; everything else, a no-break space included, is kept as it is.
QString paragraphsToCrLf(const QString& text);

/// The kinds of line break a text had.
struct LineBreakKinds {
    bool crLf = false;
    bool cr = false;
    bool lf = false;
    /// True when the text has at most one kind of line break.
    bool uniform() const { return int(crLf) + int(cr) + int(lf) <= 1; }
};

/// As above, also telling which kinds of line break the text had.
QString normalizeLineBreaks(const QString& text, LineBreakKinds* kinds);
/// As above, widening the text where it is when it has room to spare and nobody else holds it.
QString normalizeLineBreaks(QString&& text, LineBreakKinds* kinds);

} // namespace vellum
