#pragma once

#include <QString>
#include <array>

namespace vellum {

/// One cell of a special-character table: the glyph shown and the text inserted.
struct CharCell {
    QString glyph;
    QString text;
};

/// The two tables of the Special Characters helper: 32 special characters in rows 0 to 3 and 64
/// extended ones in rows 0 to 7, nine to a row.
struct CharTables {
    static constexpr int Columns = 9;
    static constexpr int SpecialRows = 4;
    static constexpr int ExtendedRows = 8;
    /// Exactly this many lines of the data file are used.
    static constexpr int Entries = 96;
    /// Inserted texts longer than this are cut.
    static constexpr int MaxTextLength = 255;

    std::array<std::array<CharCell, Columns>, SpecialRows> special;
    std::array<std::array<CharCell, Columns>, ExtendedRows> extended;

    /// Where entry `line` (0 to 95) goes: each group of 32 fills three rows of nine and five
    /// cells of a fourth; the second and third groups share the extended table, rows 0-3 and 4-7.
    struct Place {
        bool extended;
        int row;
        int column;
    };
    static Place place(int line);

    /// The tables from the data file's lines: glyph, "..", text (split at the first ".."; the
    /// text cut to 255 characters). Lines past the 96th are not used; fewer leave cells empty.
    static CharTables fromLines(const QStringList& lines);
    /// The tables from the data file (empty when there is none).
    static CharTables read(const QString& path);
};

} // namespace vellum
