#include "core/helpers/list_code.h"

#include "core/editor/insertion.h"

#include <algorithm>

namespace vellum {

namespace {

using Options = ListOptions;
using Style = ListOptions::Style;

const QString lineBreak = QStringLiteral("\r\n");

QString tabs(int n) {
    return n > 0 ? QString(n, QLatin1Char('\t')) : QString();
}

QString styleText(Style style) {
    switch (style) {
    case Style::Circle:
    case Style::Circle2:
        return QStringLiteral(" type=circle");
    case Style::Disc:
    case Style::Disc2:
        return QStringLiteral(" type=disc");
    case Style::Square:
    case Style::Square2:
        return QStringLiteral(" type=square");
    case Style::Arabic:
        return QStringLiteral(" type=1");
    case Style::UpperRoman:
        return QStringLiteral(" type=I");
    case Style::LowerRoman:
        return QStringLiteral(" type=i");
    case Style::UpperLetter:
        return QStringLiteral(" type=A");
    case Style::LowerLetter:
        return QStringLiteral(" type=a");
    }
    return {};
}

// The set is ordered as the styles are examined, so the last one is the one that wins.
QString styleAttribute(const std::set<Style>& styles) {
    return styles.empty() ? QString() : styleText(*styles.rbegin());
}

QString listTag(Options::Kind kind) {
    switch (kind) {
    case Options::Kind::None:
        return {};
    case Options::Kind::Bullet:
        return QStringLiteral("UL");
    case Options::Kind::Number:
        return QStringLiteral("OL");
    case Options::Kind::Definition:
        return QStringLiteral("DL");
    }
    return {};
}

} // namespace

ListCode listGenerator(const ListOptions& options) {
    ListCode code;
    const bool wholeList = options.mode == Options::Mode::List;
    const QString tag = listTag(options.kind);
    if (wholeList && tag.isEmpty())
        return code;
    // Indents and counts are typed freely; a text the scratch editor cannot hold is refused
    // before it is built.
    if (options.indent > ScratchCapacity) {
        code.tooLarge = true;
        return code;
    }
    // The first item is always written, so the caret's way back is counted from that.
    const int count = std::max(1, options.count);
    const QString item = options.definitionItem || options.kind == Options::Kind::Definition
                             ? QStringLiteral("DT")
                             : QStringLiteral("LI");
    const QString indent = tabs(options.indent);
    const QString first =
        indent + QLatin1Char('<') + item + styleAttribute(options.styles) + QStringLiteral("> ");
    const QString next = lineBreak + indent + QLatin1Char('<') + item + QStringLiteral("> ");
    QString open, close;
    if (wholeList) {
        const QString outer = tabs(options.indent - 1);
        const QString start =
            options.startShown ? QStringLiteral(" start=") + options.start : QString();
        open = outer + QLatin1Char('<') + tag + start + QLatin1Char('>') + lineBreak;
        close = lineBreak + outer + QStringLiteral("</") + tag + QLatin1Char('>');
    }
    const qint64 length =
        open.size() + first.size() + qint64(count - 1) * next.size() + close.size();
    if (length > ScratchCapacity) {
        code.tooLarge = true;
        return code;
    }
    code.text = open + first + next.repeated(count - 1) + close;
    code.insert = true;
    code.freshLine = wholeList;
    // boardit leaves the caret at the end of the closing tag, or of the last item; this goes
    // back up to the end of the first item's line.
    code.gotoLine = (wholeList ? 1 : 2) - count;
    return code;
}

void insertList(Insertions& insertions, TextControl& scratch, const ListCode& code) {
    if (!code.insert || !insertions.hasDocument())
        return;
    scratch.replaceSelection(code.text);
    if (code.freshLine)
        insertions.listcode();
    insertions.boardit();
    insertions.gotoLine(code.gotoLine);
}

} // namespace vellum
