#pragma once

#include "core/helpers/body_code.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_frame.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;

namespace vellum {

class ClickLabel;
class ColourPicker;
class ImageFileChooser;
class PictureBox;

/// The Document helper: writes the opening BODY tag, with a background image chosen on disk and
/// the five page colours, and previews the page's look.
class DocumentHelper : public HelperFrame {
    Q_OBJECT
public:
    /// The preview panel's size; the tiles fill it.
    static constexpr QSize PreviewSize{360, 100};

    DocumentHelper(HelperContext& context, const HelperTraits& traits, ColourChooser chooseColour,
                   DocumentFiles& files);

    /// The choices as the controls hold them.
    BodyOptions options();
    /// Sets the background image, its path form and the five colours to `options`.
    void showOptions(const BodyOptions& options);

    QCheckBox* backgroundCheck() const { return m_imageCheck; }
    ImageFileChooser* chooser() const { return m_chooser; }
    QComboBox* pathList() const { return m_paths; }
    ColourPicker* picker(PageColour colour) const;
    QCheckBox* colourCheck(PageColour colour) const;
    /// Tile `column` (0..6) of row `row` (0..8, A to I).
    PictureBox* tile(int row, int column) const;
    QWidget* tilePanel() const { return m_tilePanel; }
    QWidget* plainPanel() const { return m_plainPanel; }
    ClickLabel* sample() const { return m_sample; }
    QLabel* output() const { return m_output; }

    /// Runs the generator: the sample, the output and the preview colours follow the controls.
    void sampleUpdate();
    /// Tiles the chosen picture over the preview.
    void tileBackground();

protected:
    void insertCode() override;
    QString tagCode() override;

private:
    struct ColourRow {
        ColourPicker* picker;
        QCheckBox* check;
    };

    QWidget* buildPreview();
    void addColourRow(PageColour colour, const char* stem, const char* caption,
                      const ColourChooser& chooseColour);
    void colourChosen(PageColour colour);
    void backgroundClicked();
    void folderChosen();
    void paintPreview(const BodyCode& code);

    DocumentFiles& m_files;
    QCheckBox* m_imageCheck;
    ImageFileChooser* m_chooser;
    QComboBox* m_paths;
    std::array<ColourRow, PageColourCount> m_colours{};
    QWidget* m_tilePanel = nullptr;
    QWidget* m_plainPanel = nullptr;
    std::array<PictureBox*, TileCount> m_tiles{};
    /// The words "Text", "Link", "ALink" and "VLink" on the tile panel and on the plain panel.
    std::array<QLabel*, 4> m_tileWords{};
    std::array<QLabel*, 4> m_plainWords{};
    ClickLabel* m_sample;
    QLabel* m_output;
};

} // namespace vellum
