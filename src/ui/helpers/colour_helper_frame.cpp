#include "ui/helpers/colour_helper_frame.h"

#include "ui/foundation/click_label.h"

namespace vellum {

ColourHelperFrame::ColourHelperFrame(HelperContext& context, const HelperTraits& traits,
                                     ColourChooser chooseColour, ColourPicker::Layout layout)
    : HelperFrame(context, traits),
      m_picker(new ColourPicker(std::move(chooseColour), QStringLiteral("Click for palette"),
                                layout, this)),
      m_sample(new ClickLabel(QStringLiteral("sample"), QString(), this)) {}

} // namespace vellum
