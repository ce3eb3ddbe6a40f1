#pragma once

#include "core/helpers/form_code.h"
#include "ui/helpers/helper_frame.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace vellum {

class NumberBox;

/// The Form helper: a form skeleton or a run of form fields of one kind.
class FormHelper : public HelperFrame {
    Q_OBJECT
public:
    FormHelper(HelperContext& context, const HelperTraits& traits);

    FormOptions::Kind kind() const;
    /// Chooses a kind as a click on its button does: the count goes back to 1 and the panels,
    /// captions and numbers follow the kind.
    void setKind(FormOptions::Kind kind);

    /// Chooses the kind of `options` and sets every box and check box to it.
    void showOptions(const FormOptions& options);

    QRadioButton* kindButton(FormOptions::Kind kind) const;
    NumberBox* itemsBox() const { return m_items; }
    NumberBox* firstBox() const { return m_first; }
    NumberBox* secondBox() const { return m_second; }
    NumberBox* indentBox() const { return m_indent; }
    QCheckBox* maxCheck() const { return m_maxCheck; }
    QCheckBox* yesCheck() const { return m_yesCheck; }
    QLineEdit* groupEdit() const { return m_group; }
    /// A panel or label by its name ("itemspan", "maxpan", "Label1", "yesnote", ...).
    QWidget* part(const char* name) const;

protected:
    void insertCode() override;
    QString tagCode() override;

private:
    QWidget* buildKinds();
    QWidget* buildNumbers();
    /// The options the controls show; none when a number is refused (and reported).
    std::optional<FormOptions> readControls();

    QButtonGroup* m_kinds = nullptr;
    QWidget* m_itemsPanel = nullptr;
    QWidget* m_maxPanel = nullptr;
    QWidget* m_sizePanel = nullptr;
    QWidget* m_yesPanel = nullptr;
    QWidget* m_groupPanel = nullptr;
    QLabel* m_firstLabel = nullptr;
    QLabel* m_secondLabel = nullptr;
    QLabel* m_yesLabel = nullptr;
    NumberBox* m_items = nullptr;
    NumberBox* m_first = nullptr;
    NumberBox* m_second = nullptr;
    NumberBox* m_indent = nullptr;
    QCheckBox* m_maxCheck = nullptr;
    QCheckBox* m_yesCheck = nullptr;
    QLineEdit* m_group = nullptr;
};

} // namespace vellum
