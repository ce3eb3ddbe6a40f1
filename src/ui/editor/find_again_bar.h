#pragma once

#include "ui/editor/find_parts.h"

class QFrame;
class QToolButton;

namespace vellum {

/// The Find Again window: a slim borderless bar above the main window that repeats the search,
/// or replaces and searches on, one click (or F3) at a time. It opens collapsed to half its
/// height, which hides the options in its lower half; it is dragged by its panel.
class FindAgainBar : public SearchWindow {
    Q_OBJECT
public:
    explicit FindAgainBar(FindCommands& commands);

    QFrame* panel() const { return m_panel; }
    QLabel* dragLabel() const { return m_grip; }
    QToolButton* downsButton() const { return m_downs; }
    QToolButton* upsButton() const { return m_ups; }
    QPushButton* findNextButton() const { return m_findNext; }
    QPushButton* replaceNextButton() const { return m_replaceNext; }
    QPushButton* remainingButton() const { return m_remaining; }
    QPushButton* cancelButton() const { return m_cancel; }
    int fullHeight() const { return m_fullHeight; }
    bool isCollapsed() const { return height() != m_fullHeight; }

    /// "&Find Next": finds on with the window's texts, without replacing.
    void findNext();
    /// "&Replace && Find Next": replaces the hit, then finds the next one.
    void replaceAndFindNext();
    /// Shows the options.
    void expandOptions();
    /// Hides them again.
    void collapseOptions();

protected:
    void closeSteps() override;

private:
    /// Full height with the options, or half of it without.
    void showOptions(bool shown);
    /// Makes `button` the default one (Enter) and the other step button not.
    void makeDefault(QPushButton* button);

    QFrame* m_panel;
    QWidget* m_options;
    QLabel* m_grip;
    QToolButton* m_downs;
    QToolButton* m_ups;
    QPushButton* m_findNext;
    QPushButton* m_replaceNext;
    QPushButton* m_remaining;
    QPushButton* m_cancel;
    int m_fullHeight = 0;
};

} // namespace vellum
