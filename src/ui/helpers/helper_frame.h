#pragma once

#include "core/editor/start_tag.h"
#include "core/helpers/helper_placement.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace vellum {

class HelperContext;
class NumberBox;

/// The frame every helper window shares: a borderless window above the main window with a navy
/// title strip to drag it by (an outline follows the pointer; the window moves on release) and
/// to roll it up by, a help and a close button, and "Close" and "Insert code" buttons in the body.
/// Its position is written to the settings at every close and used at the next opening when the
/// user chose to remember helper positions.
class HelperFrame : public QWidget {
    Q_OBJECT
public:
    /// `traits` come from the helper's row of the helper table.
    HelperFrame(HelperContext& context, const HelperTraits& traits);
    ~HelperFrame() override;

    const HelperTraits& traits() const { return m_traits; }
    HelperContext& context() { return m_context; }

    /// The layout the helper puts its controls in, above the buttons.
    QVBoxLayout* body() const { return m_body; }
    QWidget* titleStrip() const;
    QLabel* captionLabel() const { return m_caption; }
    QToolButton* rollButton() const { return m_roll; }
    QPushButton* insertButton() const { return m_insert; }

    /// Records the full height and places the window; the helper calls it once its controls are
    /// in place.
    void finishSetUp();

    /// True while only the title strip shows.
    bool isRolledUp() const;
    int fullHeight() const { return m_fullHeight; }

    void RollButtonClick();
    void CloseButtonClick();
    /// Gives the focus back and inserts the helper's code when a document is open.
    virtual void InsertCodeClick();
    void returnFocusAndInsert();

    /// Makes the helper an editor of `tag`, a start tag of the active document: its Insert button
    /// reads "Update tag" and replaces that tag instead of inserting, until the helper closes or
    /// leaveEditMode. The helper's controls are not touched: the caller fills them first.
    void editTag(const StartTag& tag);
    /// Back to inserting new code: the Insert button reads as it did.
    void leaveEditMode();
    bool isEditingTag() const { return m_editing.has_value(); }

protected:
    /// A number box named `name` holding `text`, never stepped below `minimum`: a click on its
    /// arrows gives the focus back to the main window first, and a text that is not a whole
    /// number is reported.
    NumberBox* numberBox(const char* name, int minimum, const QString& text = QString(),
                         QWidget* parent = nullptr);

    /// Builds and inserts the helper's code; runs only while a document is open.
    virtual void insertCode() = 0;
    /// The code Insert would insert now, from which Update tag takes its start tag; empty when
    /// the helper would insert nothing (a refusal is reported by the helper itself).
    virtual QString tagCode() { return {}; }
    /// Writes the helper's own settings keys when it closes.
    virtual void writeOwnKeys() {}

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void updateTag();

    HelperContext& m_context;
    HelperTraits m_traits;
    QWidget* m_strip;
    QLabel* m_caption;
    QToolButton* m_roll;
    QToolButton* m_help;
    QToolButton* m_close;
    QVBoxLayout* m_body;
    QWidget* m_bodyWidget;
    QPushButton* m_insert;
    QPushButton* m_closeBody;
    int m_fullHeight = 0;
    std::optional<StartTag> m_editing;
};

} // namespace vellum
