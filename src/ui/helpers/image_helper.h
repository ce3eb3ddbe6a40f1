#pragma once

#include "core/helpers/image_code.h"
#include "ui/helpers/helper_frame.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QScrollArea;

namespace vellum {

class DocumentFiles;
class ImageFileChooser;
class NumberBox;
class PictureBox;

/// The Image helper: an IMG tag, or a bare background attribute, for an image file chosen on
/// disk, with the picture's measured height and width on request and an optional preview.
class ImageHelper : public HelperFrame {
    Q_OBJECT
public:
    ImageHelper(HelperContext& context, const HelperTraits& traits, DocumentFiles& files);

    /// The choices as the controls hold them, the chosen picture measured when its height and
    /// width are asked for.
    ImageOptions options();
    /// Chooses the file of `options` and sets the path form and every option to it.
    void showOptions(const ImageOptions& options);
    /// Builds the code from the controls into the sample and the hidden output label.
    void sampleUpdate();

    ImageFileChooser* chooser() const { return m_chooser; }
    QComboBox* pathList() const { return m_paths; }
    QCheckBox* backgroundCheck() const { return m_background; }
    QWidget* imagePanel() const { return m_imagePanel; }
    NumberBox* borderBox() const { return m_border; }
    QCheckBox* altCheck() const { return m_alt; }
    QComboBox* alignList() const { return m_aligns; }
    QCheckBox* heightWidthCheck() const { return m_heightWidth; }
    QCheckBox* hspaceCheck() const { return m_hspace; }
    QCheckBox* vspaceCheck() const { return m_vspace; }
    QCheckBox* previewCheck() const { return m_preview; }
    QScrollArea* previewBox() const { return m_previewBox; }
    PictureBox* picture() const { return m_picture; }
    /// Shown in the preview box instead of a picture too large to decode.
    QLabel* previewNote() const { return m_note; }
    QLabel* sampleLabel() const { return m_sample; }
    QLabel* outputLabel() const { return m_output; }

protected:
    void insertCode() override;
    void writeOwnKeys() override;
    QString tagCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildImageOptions();
    QWidget* buildPreview();
    /// Focus to the main window, then the code again: what most option clicks do.
    void optionChosen();
    void filesChange();
    void previewToggled(bool on);
    /// Shows the chosen file in the preview box, or nothing while none is chosen.
    void showPicture();

    DocumentFiles& m_files;
    ImageFileChooser* m_chooser;
    QComboBox* m_paths;
    QCheckBox* m_background;
    QWidget* m_imagePanel = nullptr;
    NumberBox* m_border = nullptr;
    QCheckBox* m_alt = nullptr;
    QComboBox* m_aligns = nullptr;
    QCheckBox* m_heightWidth = nullptr;
    QCheckBox* m_hspace = nullptr;
    QCheckBox* m_vspace = nullptr;
    QCheckBox* m_preview = nullptr;
    QScrollArea* m_previewBox = nullptr;
    QWidget* m_previewArea = nullptr;
    PictureBox* m_picture = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_sample;
    QLabel* m_output;
    QRadioButton* m_focusKeeper;
};

} // namespace vellum
