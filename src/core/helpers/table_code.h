#pragma once

#include "core/helpers/scratch_code.h"

#include <QString>

#include <optional>

struct StartTag;

namespace vellum {

/// The table helper's choices. The defaults are the window's starting values.
struct TableOptions {
    enum class Mode { Table, Row, Cell };
    enum class HAlign { None, Left, Center, Right };
    enum class VAlign { None, Top, Middle, Bottom, Baseline };

    Mode mode = Mode::Table;
    /// Nesting level at the insertion point: table and row lines get indent - 1 tabs (none for
    /// 0 or 1), cell lines get indent tabs.
    int indent = 0;
    /// Rows or cells to insert; 0 or less inserts nothing. Not used for a table.
    int count = 1;
    QString border = QStringLiteral("1");  ///< table: border; cell: column span
    QString spacing = QStringLiteral("2"); ///< table: cell spacing; cell: row span
    QString padding = QStringLiteral("2"); ///< table: cell padding
    QString width;                         ///< table and cell; empty writes none
    bool widthPercent = false;
    QString height; ///< table and cell; empty writes none
    bool heightPercent = false;
    bool captionOrNoWrap = false; ///< table: a caption line; cell: nowrap
    bool belowTable = false;      ///< table: the caption goes below the table
    bool colourOn = false;        ///< table and cell: a background colour
    quint32 colour = 0xFFFFFF;    ///< a 0x00BBGGRR value
    HAlign align = HAlign::None;  ///< a centred table is wrapped in CENTER
    VAlign valign = VAlign::None;
    bool endCell = false; ///< cell: close each cell on its own line
};

/// A table, rows or cells to insert, as ScratchCode describes, and then caretIntoTableCell when
/// `caretIntoTableCell`.
struct TableCode : ScratchCode {
    bool caretIntoTableCell = false;
};

/// The table helper's code for `options`: a table (no line break after its last line), `count`
/// rows, or `count` cells (each line ended by CR LF), with the caret requests that put the
/// caret inside what was inserted.
TableCode tableGenerator(const TableOptions& options);

/// Puts a table code into the active document, as TableCode describes: the text goes through
/// the scratch editor `scratch`. Nothing happens without a document or when the code inserts
/// nothing.
void insertTable(Insertions& insertions, TextControl& scratch, const TableCode& code);

/// Checks a width (`isWidth`) or height box holding `text`, in percent or not. Returns nullopt
/// when the box is empty or the value is acceptable, else the message to show: not a whole
/// number, above 100 percent, or below 1 (percent or not).
std::optional<QString> sizeCheckMessage(bool isWidth, const QString& text, bool percent);

/// The width or height check with what it does to its box: a value out of range empties it; a
/// text that is not a whole number is reported and left as typed.
struct SizeCheck {
    std::optional<QString> message;
    bool emptiesBox = false;
};
SizeCheck checkSizeBox(bool isWidth, const QString& text, bool percent);

/// The table helper's choices that would write `tag`: Table mode for TABLE, Row for TR, Cell for
/// TD and TH, with sizes, colour, spacing, padding, border or spans, alignments and nowrap as the
/// tag has them. What the start tag cannot show (indentation, count, caption, closed cells) keeps
/// its starting value. Null for any other tag.
std::optional<TableOptions> tableOptionsFromTag(const StartTag& tag);

} // namespace vellum
