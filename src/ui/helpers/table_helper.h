#pragma once

#include "core/helpers/table_code.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_frame.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vellum {

class ColourButton;
class NumberBox;

/// The Table helper: a whole table, a run of rows or a run of cells.
class TableHelper : public HelperFrame {
    Q_OBJECT
public:
    TableHelper(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour);

    TableOptions::Mode mode() const { return m_mode; }
    /// Chooses a mode and resets the controls it changes (also what a click on a mode button does).
    void setMode(TableOptions::Mode mode);

    /// Sets every control to `options`, mode first; the /TD box is shown as `options` has it
    /// without being written to the settings.
    void showOptions(const TableOptions& options);

    /// Runs the width or height check: an out-of-range value is reported and the box emptied; a
    /// text that is not a whole number is reported and left as typed.
    void checkSize(bool width);

    QRadioButton* modeButton(TableOptions::Mode mode) const;
    NumberBox* borderBox() const { return m_border; }
    NumberBox* spacingBox() const { return m_spacing; }
    NumberBox* itemBox() const { return m_items; }
    NumberBox* indentBox() const { return m_indent; }
    QLineEdit* widthEdit() const { return m_width; }
    QLineEdit* heightEdit() const { return m_height; }
    QCheckBox* widthPercent() const { return m_widthPercent; }
    QCheckBox* heightPercent() const { return m_heightPercent; }
    QCheckBox* captionBox() const { return m_caption; }
    QCheckBox* belowBox() const { return m_below; }
    QCheckBox* colourBox() const { return m_colourOn; }
    ColourButton* colourButton() const { return m_colour; }
    QCheckBox* endCellBox() const { return m_endCell; }
    QRadioButton* alignButton(TableOptions::HAlign align) const;
    QRadioButton* valignButton(TableOptions::VAlign valign) const;
    QLabel* label(const char* name) const;

protected:
    void insertCode() override;
    QString tagCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildModes();
    QWidget* buildAlignments();
    QWidget* buildNumbers();
    QWidget* buildSizes(ColourChooser chooseColour);
    /// The options the controls show; none when the indent or count is refused (and reported).
    std::optional<TableOptions> readControls();

    TableOptions::Mode m_mode = TableOptions::Mode::Table;
    QButtonGroup* m_modes = nullptr;
    QButtonGroup* m_aligns = nullptr;
    QButtonGroup* m_valigns = nullptr;
    QWidget* m_topSpins = nullptr;
    QWidget* m_widthHeight = nullptr;
    NumberBox* m_border = nullptr;
    NumberBox* m_spacing = nullptr;
    NumberBox* m_items = nullptr;
    NumberBox* m_indent = nullptr;
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QCheckBox* m_widthPercent = nullptr;
    QCheckBox* m_heightPercent = nullptr;
    QCheckBox* m_caption = nullptr;
    QCheckBox* m_below = nullptr;
    QCheckBox* m_colourOn = nullptr;
    ColourButton* m_colour = nullptr;
    QCheckBox* m_endCell = nullptr;
};

} // namespace vellum
