#include "ui/editor/page_check_marks.h"

#include "ui/editor/plain_text_control.h"

#include <QEvent>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace vellum {

namespace {

// Tells the underlines of this class from the other extra selections of the editor.
constexpr int OwnUnderline = QTextFormat::UserProperty + 0x5043;

// What shows a finding: its characters, or for a finding that has only a place the character
// after it (before it at a line's end), so that it can be seen.
QTextCursor underlineOf(const QTextCursor& place) {
    QTextCursor underline = place;
    if (underline.hasSelection())
        return underline;
    const int inBlock = underline.positionInBlock();
    if (inBlock < underline.block().length() - 1)
        underline.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    else if (inBlock > 0)
        underline.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    else
        return {};
    return underline;
}

} // namespace

QColor findingColour(FindingKind kind) {
    switch (kind) {
    case FindingKind::Error:
        return {0xD0, 0x18, 0x18};
    case FindingKind::Warning:
        return {0xE8, 0x80, 0x00};
    case FindingKind::Link:
        return {0x18, 0x58, 0xE0};
    }
    return Qt::black;
}

PageCheckMarks::PageCheckMarks(PlainTextControl& control, const QList<MarkPlace>& places)
    : QObject(control.editor()), m_control(control) {
    QTextDocument* document = control.editor()->document();
    for (const MarkPlace& at : places) {
        Mark mark;
        mark.place = QTextCursor(document);
        mark.place.setPosition(control.toSearchPosition(at.start));
        mark.place.setPosition(control.toSearchPosition(at.end), QTextCursor::KeepAnchor);
        mark.colour = findingColour(at.kind);
        if (at.underlined) {
            mark.underline = underlineOf(mark.place);
            mark.text = mark.underline.selectedText();
        }
        m_marks.push_back(mark);
    }
    connect(document, &QTextDocument::contentsChange, this,
            [this](int from, int, int added) { contentsChanged(from, added); });
    PlainTextEditor* editor = control.editor();
    // The editor scrolls itself without a word from its scroll bar; each scroll or jump asks
    // for the view to be drawn again.
    connect(editor, &QPlainTextEdit::updateRequest, this, [this, editor](const QRect&, int dy) {
        if (dy != 0 || editor->cursorForPosition(QPoint()).block().position() != m_shownFrom)
            scheduleShow();
    });
    editor->viewport()->installEventFilter(this);
    show();
}

std::optional<Selection> PageCheckMarks::placeOf(int index) const {
    if (index < 0 || index >= m_marks.size())
        return std::nullopt;
    const QTextCursor& place = m_marks[index].place;
    return Selection{m_control.fromSearchPosition(place.selectionStart()),
                     m_control.fromSearchPosition(place.selectionEnd())};
}

int PageCheckMarks::underlinedCount() const {
    return static_cast<int>(std::count_if(
        m_marks.begin(), m_marks.end(), [](const Mark& mark) { return !mark.underline.isNull(); }));
}

void PageCheckMarks::takeAway() {
    for (Mark& mark : m_marks)
        mark.underline = QTextCursor();
    show();
}

void PageCheckMarks::contentsChanged(int from, int added) {
    // The cursors have followed the change already. Only an underline the change touches can
    // have changed; one whose text is as it was (the colouring of the text changes formats
    // without changing characters) stays.
    bool removed = false;
    for (Mark& mark : m_marks) {
        QTextCursor& underline = mark.underline;
        if (underline.isNull() || underline.selectionEnd() < from ||
            underline.selectionStart() > from + added)
            continue;
        if (underline.selectedText() != mark.text) {
            underline = QTextCursor();
            removed = true;
        }
    }
    // An underline taken away goes at once; lines taken out or put in may bring others on
    // screen.
    if (removed)
        show();
    else
        scheduleShow();
}

void PageCheckMarks::scheduleShow() {
    if (m_showScheduled)
        return;
    m_showScheduled = true;
    QMetaObject::invokeMethod(this, &PageCheckMarks::show, Qt::QueuedConnection);
}

bool PageCheckMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        scheduleShow();
    return QObject::eventFilter(watched, event);
}

void PageCheckMarks::show() {
    m_showScheduled = false;
    PlainTextEditor* editor = m_control.editor();
    // The editor goes through every extra selection it holds for each paragraph it draws: with
    // tens of thousands of findings every keystroke would wait on them, so it holds only the
    // underlines of the paragraphs on screen, and gets them anew as the view moves.
    const QRect view = editor->viewport()->rect();
    const int first = editor->cursorForPosition(view.topLeft()).block().position();
    m_shownFrom = first;
    const QTextBlock last = editor->cursorForPosition(view.bottomRight()).block();
    const int end = last.position() + last.length();
    QList<QTextEdit::ExtraSelection> selections;
    for (const QTextEdit::ExtraSelection& other : editor->extraSelections()) {
        if (!other.format.hasProperty(OwnUnderline))
            selections.push_back(other);
    }
    for (const Mark& mark : m_marks) {
        if (mark.underline.isNull() || mark.underline.selectionEnd() < first ||
            mark.underline.selectionStart() > end)
            continue;
        QTextEdit::ExtraSelection selection;
        selection.cursor = mark.underline;
        selection.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        selection.format.setUnderlineColor(mark.colour);
        selection.format.setProperty(OwnUnderline, true);
        selections.push_back(selection);
    }
    editor->setExtraSelections(selections);
}

} // namespace vellum
