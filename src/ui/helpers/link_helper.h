#pragma once

#include "core/helpers/link_code.h"
#include "ui/helpers/helper_frame.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

namespace vellum {

class DocumentFiles;

/// The Link helper: wraps the selection in a named anchor, or in a link to a typed address or to
/// a file chosen on disk.
class LinkHelper : public HelperFrame {
    Q_OBJECT
public:
    LinkHelper(HelperContext& context, const HelperTraits& traits, DocumentFiles& files);

    /// The choices as the controls hold them.
    LinkOptions options() const;
    /// Chooses HREF or Name, the protocol, the target and the file choices of `options`.
    void showOptions(const LinkOptions& options);

    QRadioButton* hrefButton() const { return m_href; }
    QRadioButton* nameButton() const { return m_name; }
    QRadioButton* protocolButton(LinkOptions::Protocol protocol) const;
    QCheckBox* targetCheck() const { return m_target; }
    QWidget* fileOptions() const { return m_filePanel; }
    QCheckBox* useFileCheck() const { return m_useFile; }
    QComboBox* pathList() const { return m_paths; }

protected:
    void insertCode() override;
    void writeOwnKeys() override;
    QString tagCode() override;

private:
    void hrefClicked();
    void nameClicked();
    void protocolClicked(LinkOptions::Protocol protocol);
    void useFileToggled();
    /// The opening tag of a link to a file the user chooses now; empty when cancelled.
    QString chosenFileOpen(const LinkOptions& chosen);

    DocumentFiles& m_files;
    QRadioButton* m_href;
    QRadioButton* m_name;
    QWidget* m_protocols;
    QButtonGroup* m_protocolGroup;
    QCheckBox* m_target;
    QWidget* m_filePanel;
    QCheckBox* m_useFile;
    QComboBox* m_paths;
};

} // namespace vellum
