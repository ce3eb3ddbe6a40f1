#pragma once

#include "core/helpers/font_code.h"
#include "ui/helpers/colour_helper_frame.h"

namespace vellum {

/// The Font helper: wraps the selection in a FONT element with an optional colour and size.
class FontHelper : public ColourHelperFrame {
    Q_OBJECT
public:
    FontHelper(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour);

    /// The tags of the last generator run; Insert passes them on.
    const FontCode& code() const { return m_code; }
    QRadioButton* noColour() const { return m_noColour; }
    QRadioButton* sizeButton(int size) const; ///< 0 = "no size", 1..7

    /// Sets the colour, "no color" and the size to `options` and shows their sample.
    void showOptions(const FontOptions& options);

    /// Reads the controls, makes the tags and shows the sample.
    void updateSample();

protected:
    void insertCode() override;
    QString tagCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QRadioButton* m_noColour;
    QRadioButton* m_sizes[8];
    FontCode m_code;
};

} // namespace vellum
