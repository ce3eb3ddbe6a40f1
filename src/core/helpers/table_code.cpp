#include "core/helpers/table_code.h"

#include "core/editor/insertion.h"
#include "core/editor/start_tag.h"
#include "core/foundation/enum_text.h"
#include "core/helpers/color_code.h"
#include "core/helpers/colour.h"
#include "core/helpers/whole_number.h"

namespace vellum {

namespace {

using Options = TableOptions;

// Every attribute piece is either empty or begins with one space, so they simply join.
QString attribute(const char* name, const QString& value) {
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1Char('=') + value;
}

QString sizePiece(const char* name, const QString& value, bool percent) {
    if (value.isEmpty())
        return {};
    return attribute(name, percent ? value + QLatin1Char('%') : value);
}

QString colourPiece(const Options& o) {
    return o.colourOn ? QLatin1Char(' ') + colourGenerator(o.colour, ColourForm::BgColor)
                      : QString();
}

QString alignPiece(Options::HAlign align, bool centreAsAttribute) {
    // A centred table is wrapped in CENTER instead.
    if (align == Options::HAlign::Center && !centreAsAttribute)
        return {};
    static const char* const pieces[] = {nullptr, " align=left", " align=center", " align=right"};
    return enumText(pieces, align);
}

QString valignPiece(Options::VAlign valign) {
    static const char* const pieces[] = {nullptr, " valign=top", " valign=middle", " valign=bottom",
                                         " valign=baseline"};
    return enumText(pieces, valign);
}

// 2 is what browsers use anyway, so it is left out.
QString unlessTwo(const char* name, const QString& value) {
    return value == QLatin1String("2") ? QString() : attribute(name, value);
}

// A span of 0, or text that is not a number, means no span.
QString spanPiece(const char* name, const QString& value) {
    const std::optional<int> span = strictInt(value);
    return span && *span >= 1 ? attribute(name, value) : QString();
}

bool centred(const Options& o) {
    return o.align == Options::HAlign::Center;
}

QString tableText(const Options& o) {
    const QString indent = tabs(o.indent - 1);
    QString text;
    if (centred(o))
        text += indent + QStringLiteral("<CENTER>") + CrLf;
    text += indent + QStringLiteral("<TABLE") + sizePiece("width", o.width, o.widthPercent) +
            sizePiece("height", o.height, o.heightPercent) + colourPiece(o) +
            alignPiece(o.align, false) + valignPiece(o.valign) +
            unlessTwo("cellspacing", o.spacing) + unlessTwo("cellpadding", o.padding) +
            attribute("border", o.border) + QLatin1Char('>') + CrLf;
    if (o.captionOrNoWrap) {
        text += indent + QStringLiteral("<CAPTION") +
                (o.belowTable ? QStringLiteral(" align=bottom") : QString()) +
                QStringLiteral(">  </CAPTION>") + CrLf;
    }
    // The empty line is where the rows go; it carries no indentation.
    text += CrLf + indent + QStringLiteral("</TABLE>");
    if (centred(o))
        text += CrLf + indent + QStringLiteral("</CENTER>");
    return text;
}

QString rowText(const Options& o) {
    const QString row = tabs(o.indent - 1) + QStringLiteral("<TR") + alignPiece(o.align, true) +
                        valignPiece(o.valign) + QLatin1Char('>') + CrLf;
    // Rows are kept apart by an empty line, where their cells go.
    return (row + CrLf).repeated(o.count - 1) + row;
}

QString cellText(const Options& o) {
    const QString cell =
        tabs(o.indent) + QStringLiteral("<TD") + sizePiece("width", o.width, o.widthPercent) +
        sizePiece("height", o.height, o.heightPercent) + colourPiece(o) +
        spanPiece("colspan", o.border) + spanPiece("rowspan", o.spacing) +
        alignPiece(o.align, true) + valignPiece(o.valign) +
        (o.captionOrNoWrap ? QStringLiteral(" nowrap") : QString()) + QStringLiteral("> ") +
        (o.endCell ? QStringLiteral(" </TD>") : QString()) + CrLf;
    return cell.repeated(o.count);
}

} // namespace

TableCode tableGenerator(const TableOptions& options) {
    TableCode code;
    // Counts and the indentation are typed freely: text longer than the scratch editor holds is
    // refused before it is built.
    const qint64 line = qint64(std::max(0, options.indent)) + 128 + options.width.size() +
                        options.height.size() + options.border.size() + options.spacing.size() +
                        options.padding.size();
    const qint64 lines = options.mode == Options::Mode::Table ? 1 : std::max(0, options.count);
    if (!fitsScratch(lines, 2 * line)) {
        code.tooLarge = true;
        return code;
    }
    // A run of no rows or cells writes nothing.
    if (options.mode != Options::Mode::Table && options.count < 1)
        return code;
    switch (options.mode) {
    case Options::Mode::Table:
        code.text = tableText(options);
        code.freshLine = true;
        // The caret ends after the last line; the empty line is one line up, two when the
        // closing CENTER line follows the table.
        code.gotoLine = centred(options) ? -1 : 0;
        break;
    case Options::Mode::Row:
        code.text = rowText(options);
        // The caret ends at the start of the line after the last row, 2 * count - 1 lines below
        // the first row: this goes to the line just after the first row.
        code.gotoLine = 3 - 2 * options.count;
        break;
    case Options::Mode::Cell:
        code.text = cellText(options);
        // To the end of the first cell's line; with the closing tag there, caretIntoTableCell then
        // goes back over " </TD>" to just after "<TD> ".
        code.gotoLine = 1 - options.count;
        code.caretIntoTableCell = options.endCell;
        break;
    }
    code.insert = true;
    return code;
}

std::optional<QString> sizeCheckMessage(bool isWidth, const QString& text, bool percent) {
    if (text.isEmpty())
        return std::nullopt;
    const std::optional<int> value = strictInt(text);
    if (!value)
        return notAnIntegerMessage(text);
    const QString what = isWidth ? QStringLiteral("Width") : QStringLiteral("Height");
    if (percent && *value > 100)
        return what + QStringLiteral(" cannot exceed 100%");
    if (*value < 1)
        return what + (percent ? QStringLiteral(" cannot be less than 1%")
                               : QStringLiteral(" cannot be less than 1"));
    return std::nullopt;
}

SizeCheck checkSizeBox(bool isWidth, const QString& text, bool percent) {
    SizeCheck check;
    check.message = sizeCheckMessage(isWidth, text, percent);
    check.emptiesBox = check.message && strictInt(text).has_value();
    return check;
}

void insertTable(Insertions& insertions, TextControl& scratch, const TableCode& code) {
    if (insertScratchCode(insertions, scratch, code) && code.caretIntoTableCell)
        insertions.caretIntoTableCell();
}

namespace {

// A size as written: "50%" is 50 in percent.
void readSize(const StartTag& tag, const char* name, QString& value, bool& percent) {
    value = tag.value(QString::fromLatin1(name));
    percent = value.endsWith(QLatin1Char('%'));
    if (percent)
        value.chop(1);
}

Options::HAlign readAlign(const StartTag& tag) {
    const QString align = tag.value(u"align").toLower();
    if (align == QLatin1String("left"))
        return Options::HAlign::Left;
    if (align == QLatin1String("center"))
        return Options::HAlign::Center;
    if (align == QLatin1String("right"))
        return Options::HAlign::Right;
    return Options::HAlign::None;
}

Options::VAlign readVAlign(const StartTag& tag) {
    const QString valign = tag.value(u"valign").toLower();
    const char* const names[] = {"top", "middle", "bottom", "baseline"};
    for (int i = 0; i < 4; ++i) {
        if (valign == QLatin1String(names[i]))
            return static_cast<Options::VAlign>(i + 1);
    }
    return Options::VAlign::None;
}

void readColour(const StartTag& tag, Options& o) {
    const std::optional<quint32> colour = colourFromText(tag.value(u"bgcolor"));
    o.colourOn = colour.has_value();
    if (colour)
        o.colour = *colour;
}

} // namespace

std::optional<TableOptions> tableOptionsFromTag(const StartTag& tag) {
    Options o;
    if (tag.name == QLatin1String("TR")) {
        o.mode = Options::Mode::Row;
        o.align = readAlign(tag);
        o.valign = readVAlign(tag);
        return o;
    }
    const bool cell = tag.name == QLatin1String("TD") || tag.name == QLatin1String("TH");
    if (!cell && tag.name != QLatin1String("TABLE"))
        return std::nullopt;
    o.mode = cell ? Options::Mode::Cell : Options::Mode::Table;
    readSize(tag, "width", o.width, o.widthPercent);
    readSize(tag, "height", o.height, o.heightPercent);
    readColour(tag, o);
    o.valign = readVAlign(tag);
    if (cell) {
        // A cell's border and spacing boxes are its spans; a span not written is none.
        o.border = tag.value(u"colspan", QStringLiteral("0"));
        o.spacing = tag.value(u"rowspan", QStringLiteral("0"));
        o.align = readAlign(tag);
        o.captionOrNoWrap = tag.has(u"nowrap");
        return o;
    }
    o.align = readAlign(tag);
    o.spacing = tag.value(u"cellspacing", o.spacing);
    o.padding = tag.value(u"cellpadding", o.padding);
    o.border = tag.value(u"border", o.border);
    return o;
}

} // namespace vellum
