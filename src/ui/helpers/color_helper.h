#pragma once

#include "core/helpers/color_code.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_frame.h"

class QRadioButton;

namespace vellum {

class ClickLabel;
class ColourButton;
class ColourGrid;
class ColourPicker;

/// The Color helper: inserts one colour as an attribute or as bare digits.
class TlinkRoll1 : public HelperFrame {
    Q_OBJECT
public:
    TlinkRoll1(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour);

    ClickLabel* sample() const { return m_sample; }
    ColourGrid* grid() const;
    ColourButton* colourButton() const;
    QRadioButton* formButton(ColourForm form) const;

    /// Makes the text of the chosen form and shows it in the sample.
    void sampleupdate();

protected:
    void insertCode() override;

private:
    ColourPicker* m_picker;
    QList<QPair<ColourForm, QRadioButton*>> m_forms;
    ClickLabel* m_sample;
};

} // namespace vellum
