#pragma once

#include "ui/editor/find_parts.h"

namespace vellum {

/// The Find & Replace window: the texts and options of a search and its first step. A hit closes
/// it and opens the Find Again window in its place; finding nothing leaves it open.
class FindReplaceWindow : public SearchWindow {
    Q_OBJECT
public:
    explicit FindReplaceWindow(FindCommands& commands);

    QPushButton* findReplaceButton() const { return m_findReplace; }
    QPushButton* remainingButton() const { return m_remaining; }
    QPushButton* cancelButton() const { return m_cancel; }

    /// "&Find && Replace": the first search step; with nothing to find, Replace Remaining.
    void findAndReplace();

protected:
    void closeSteps() override;

private:
    QPushButton* m_findReplace;
    QPushButton* m_remaining;
    QPushButton* m_cancel;
};

} // namespace vellum
