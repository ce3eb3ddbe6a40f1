#pragma once

#include "core/helpers/font_code.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_frame.h"

class QRadioButton;

namespace vellum {

class ClickLabel;
class ColourButton;
class ColourGrid;
class ColourPicker;

/// The Font helper: wraps the selection in a FONT element with an optional colour and size.
class TfontRoll : public HelperFrame {
    Q_OBJECT
public:
    TfontRoll(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour);

    /// The tags of the last generator run; Insert passes them on.
    const FontCode& code() const { return m_code; }
    ClickLabel* sample() const { return m_sample; }
    ColourGrid* grid() const;
    ColourButton* colourButton() const;
    QRadioButton* noColour() const { return m_noColour; }
    QRadioButton* sizeButton(int size) const; ///< 0 = "no size", 1..7

    /// Reads the controls, makes the tags and shows the sample.
    void sampleupdate();

protected:
    void insertCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ColourPicker* m_picker;
    QRadioButton* m_noColour;
    QRadioButton* m_sizes[8];
    ClickLabel* m_sample;
    FontCode m_code;
};

} // namespace vellum
