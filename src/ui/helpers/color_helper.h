#pragma once

#include "core/helpers/color_code.h"
#include "ui/helpers/colour_helper_frame.h"

namespace vellum {

/// The Color helper: inserts one colour as an attribute or as bare digits.
class ColorHelper : public ColourHelperFrame {
    Q_OBJECT
public:
    ColorHelper(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour);

    QRadioButton* formButton(ColourForm form) const;

    /// Makes the text of the chosen form and shows it in the sample.
    void updateSample();

protected:
    void insertCode() override;

private:
    QList<QPair<ColourForm, QRadioButton*>> m_forms;
};

} // namespace vellum
