#include "core/editor/line_breaks.h"

namespace vellum {

QString withLineBreak(const QString& crlfText, QStringView lineBreak) {
    if (lineBreak == QLatin1String("\r\n"))
        return crlfText;
    const qsizetype n = crlfText.size();
    QString out;
    const QChar* const text = crlfText.constData();
    qsizetype copied = 0;
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (text[i] != QLatin1Char('\r') || text[i + 1] != QLatin1Char('\n'))
            continue;
        if (copied == 0)
            out.reserve(n); // the breaks named above are never longer than a CR LF
        out.append(text + copied, i - copied);
        out.append(lineBreak);
        copied = i + 2;
        ++i;
    }
    if (copied == 0)
        return crlfText;
    out.append(text + copied, n - copied);
    return out;
}

} // namespace vellum
