#pragma once

#include "core/library/special_chars.h"
#include "ui/helpers/helper_frame.h"

class QMenu;
class QRadioButton;
class QTableWidget;

namespace vellum {

/// The Special Characters helper: a table of characters whose HTML text a double-click inserts;
/// a special table of 32 and an extended one of 64, read from the library's character file.
class SpecialCharactersHelper : public HelperFrame {
    Q_OBJECT
public:
    /// The tables come from the file "chars" of `libraryDir`.
    SpecialCharactersHelper(HelperContext& context, const HelperTraits& traits,
                            const QString& libraryDir);

    QTableWidget* specialTable() const { return m_special; }
    QTableWidget* extendedTable() const { return m_extended; }
    QPushButton* switchButton() const { return m_switch; }
    QMenu* popupMenu() const { return m_popup; }
    /// True while the extended table is shown.
    bool extendedShown() const;

    /// Shows the other table; the button names the one it switches to.
    void switchTables();

protected:
    void insertCode() override;

private:
    QTableWidget* makeTable(const char* name, int rows);
    /// Sizes the cells of both tables from the room their glyphs need in the tables' font, and
    /// the tables to show every cell whole. Returns the cell size.
    QSize sizeTables(const CharTables& tables);

    QTableWidget* m_special;
    QTableWidget* m_extended;
    QPushButton* m_switch;
    QRadioButton* m_focusHolder;
    QMenu* m_popup;
};

} // namespace vellum
