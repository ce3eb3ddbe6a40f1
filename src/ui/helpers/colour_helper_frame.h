#pragma once

#include "ui/foundation/colour_controls.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_frame.h"

class QRadioButton;

namespace vellum {

class ClickLabel;

/// The frame of a helper built around one colour picker ("Click for palette") and a sample of
/// the code it writes: the Color and Font helpers.
class ColourHelperFrame : public HelperFrame {
    Q_OBJECT
public:
    ClickLabel* sample() const { return m_sample; }
    ColourGrid* grid() const { return m_picker->grid(); }
    ColourButton* colourButton() const { return m_picker->button(); }

protected:
    /// Makes the picker, its controls in `layout`, and the empty sample; the helper places them.
    ColourHelperFrame(HelperContext& context, const HelperTraits& traits,
                      ColourChooser chooseColour, ColourPicker::Layout layout);

    ColourPicker* const m_picker;
    ClickLabel* const m_sample;
};

} // namespace vellum
