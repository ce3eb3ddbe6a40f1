#include "core/helpers/list_code.h"

#include "core/editor/insertion.h"
#include "core/editor/start_tag.h"
#include "core/foundation/enum_text.h"

#include <algorithm>

namespace vellum {

namespace {

using Options = ListOptions;
using Style = ListOptions::Style;

// The styles in the order of ListOptions::Style.
const char* const StyleTexts[] = {" type=circle", " type=circle", " type=disc", " type=disc",
                                  " type=square", " type=square", " type=1",    " type=I",
                                  " type=i",      " type=A",      " type=a"};

// The set is ordered as the styles are examined, so the last one is the one that wins.
QString styleAttribute(const std::set<Style>& styles) {
    return styles.empty() ? QString() : enumText(StyleTexts, *styles.rbegin());
}

// The list tags in the order of ListOptions::Kind; no kind has none.
const char* const ListTags[] = {nullptr, "UL", "OL", "DL"};

} // namespace

ListCode listGenerator(const ListOptions& options) {
    ListCode code;
    const bool wholeList = options.mode == Options::Mode::List;
    const QString tag = enumText(ListTags, options.kind);
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
    const QString next = CrLf + indent + QLatin1Char('<') + item + QStringLiteral("> ");
    QString open, close;
    if (wholeList) {
        const QString outer = tabs(options.indent - 1);
        const QString start =
            options.startShown ? QStringLiteral(" start=") + options.start : QString();
        open = outer + QLatin1Char('<') + tag + start + QLatin1Char('>') + CrLf;
        close = CrLf + outer + QStringLiteral("</") + tag + QLatin1Char('>');
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
    // insertScratch leaves the caret at the end of the closing tag, or of the last item; this goes
    // back up to the end of the first item's line.
    code.gotoLine = (wholeList ? 1 : 2) - count;
    return code;
}

void insertList(Insertions& insertions, TextControl& scratch, const ListCode& code) {
    insertScratchCode(insertions, scratch, code);
}

std::optional<ListOptions> listOptionsFromTag(const StartTag& tag) {
    ListOptions o;
    for (int kind = 1; kind < static_cast<int>(std::size(ListTags)); ++kind) {
        if (tag.name == QLatin1String(ListTags[kind])) {
            o.kind = static_cast<Options::Kind>(kind);
            o.startShown = tag.has(u"start");
            o.start = tag.value(u"start", o.start);
            return o;
        }
    }
    o.definitionItem = tag.name == QLatin1String("DT");
    if (!o.definitionItem && tag.name != QLatin1String("LI"))
        return std::nullopt;
    o.mode = Options::Mode::Item;
    // Numbered types differ by case ("I" and "i"); bullet names do not. The item panel's bullets
    // are the ones an item reads back to.
    const QString type = tag.value(u"type");
    const Style styles[] = {Style::Circle2,     Style::Disc2,      Style::Square2,
                            Style::Arabic,      Style::UpperRoman, Style::LowerRoman,
                            Style::UpperLetter, Style::LowerLetter};
    for (const Style style : styles) {
        const QString text = enumText(StyleTexts, style).mid(6); // after " type="
        const bool bullet = style <= Style::Square2;
        if (type.compare(text, bullet ? Qt::CaseInsensitive : Qt::CaseSensitive) == 0) {
            o.styles = {style};
            o.kind = bullet ? Options::Kind::Bullet : Options::Kind::Number;
        }
    }
    return o;
}

} // namespace vellum
