#pragma once

#include "core/helpers/list_code.h"
#include "ui/helpers/helper_frame.h"

#include <utility>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;

namespace vellum {

class NumberBox;

/// The List helper: a bulleted, numbered or definition list with a number of empty items, or
/// only the items, with the caret left at the first item.
class ListHelper : public HelperFrame {
    Q_OBJECT
public:
    ListHelper(HelperContext& context, const HelperTraits& traits);

    /// A radio button, panel or label by its name ("listbut", "Number", "Pannum", "Label1", ...).
    template <typename Widget = QWidget> Widget* control(const char* name) const {
        return findChild<Widget*>(QString::fromLatin1(name));
    }
    NumberBox* itemBox() const { return m_items; }
    NumberBox* indentBox() const { return m_indent; }
    NumberBox* startBox() const { return m_start; }
    /// Chooses the mode, kind and styles of `options` and sets the numbers to it.
    void showOptions(const ListOptions& options);

    /// True while the start box and its label are on show (then a list tag gets its start).
    bool startShown() const;

protected:
    void insertCode() override;
    QString tagCode() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildModes();
    QWidget* buildKinds();
    QFrame* buildStylePanel(const char* name, QButtonGroup* group,
                            const std::vector<std::pair<const char*, const char*>>& buttons);
    QWidget* buildNumbers();
    /// The options the controls show; none when a number is refused (and reported).
    std::optional<ListOptions> readControls();

    void chooseKind(ListOptions::Kind kind);
    void chooseListMode();
    void chooseItemMode();
    void setStartShown(bool shown);
    void clearAll();
    void clearBullets();
    /// Where a double-click asks for no choice at all, the focus stays in the window, on the
    /// selected mode button.
    void focusMode();
    /// Only a style the user can see counts: one chosen on a panel that has since been hidden
    /// for another list kind is left out.
    bool counts(const QAbstractButton* button) const;

    QButtonGroup* m_modes = nullptr;
    QButtonGroup* m_kinds = nullptr;
    QButtonGroup* m_listBullets = nullptr;
    QButtonGroup* m_itemBullets = nullptr;
    QButtonGroup* m_numbers = nullptr;
    QRadioButton* m_itemMode = nullptr;
    QFrame* m_kindPanel = nullptr;
    QFrame* m_listBulletPanel = nullptr;
    QFrame* m_itemBulletPanel = nullptr;
    QFrame* m_numberPanel = nullptr;
    QLabel* m_typeLabel = nullptr;
    QLabel* m_startLabel = nullptr;
    NumberBox* m_start = nullptr;
    NumberBox* m_items = nullptr;
    NumberBox* m_indent = nullptr;
    std::vector<std::pair<QAbstractButton*, ListOptions::Style>> m_styles;
};

} // namespace vellum
