#pragma once

#include "core/editor/page_check.h"
#include "core/editor/text_control.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QTextCursor>
#include <optional>

namespace vellum {

class PlainTextControl;

/// The colour of a finding's kind: its mark in the Page Check window and its underline in the
/// text.
QColor findingColour(FindingKind kind);

/// Where a finding stands in the text now and whether it is still underlined there.
struct MarkPlace {
    /// The offending characters (text positions: CR LF counts two).
    int start = 0;
    int end = 0;
    FindingKind kind = FindingKind::Error;
    /// False when the characters there had already changed when the check's result came.
    bool underlined = true;
};

/// A page check's findings in one document's editor: each underlined in its kind's colour, as an
/// extra selection beside whatever else the editor shows that way, until the text it underlines
/// changes. Each follows the text as it is edited elsewhere. It is the editor's child, so it never
/// outlives it; takeAway removes the underlines.
class PageCheckMarks : public QObject {
    Q_OBJECT
public:
    /// Underlines `places` (in the order of the findings) in `control`'s editor.
    PageCheckMarks(PlainTextControl& control, const QList<MarkPlace>& places);

    /// Where the finding `index` stands now (text positions), or nothing for another index.
    std::optional<Selection> placeOf(int index) const;
    /// How many findings are underlined now.
    int underlinedCount() const;
    /// Removes every underline; the editor's other extra selections stay.
    void takeAway();

private:
    struct Mark {
        QTextCursor place;
        QTextCursor underline; // empty once the text under it has changed
        QString text;          // what it underlined
        QColor colour;
    };

    void contentsChanged(int from, int added);
    /// Shows the underlines once the events at hand are handled: a keystroke, a scroll and the
    /// colouring after them give one update.
    void scheduleShow();
    void show();
    bool eventFilter(QObject* watched, QEvent* event) override;

    PlainTextControl& m_control;
    QList<Mark> m_marks;
    bool m_showScheduled = false;
    int m_shownFrom = 0; // the first paragraph on screen when the underlines were last shown
};

} // namespace vellum
