#pragma once

#include "core/editor/insertion.h"
#include "ui/editor/plain_text_control.h"
#include "ui/editor/plain_text_editor.h"

#include <QWidget>
#include <memory>

class QLabel;
class QMdiSubWindow;
class QMenu;

namespace vellum {

class Clipboard;
class Document;
class DocumentHost;

/// A document window: one editor showing one document's text. The document's identity and file
/// format are its record's; the window shows them.
class DocumentWindow : public QWidget, public DocumentView {
    Q_OBJECT
public:
    /// The URL tip sits this far below and to the left of the caret.
    static constexpr int TipBelow = 14;
    static constexpr int TipLeft = 62;
    /// The editor's font until the user's font is applied: 13 pixels high.
    static constexpr int DefaultFontPixels = 13;

    DocumentWindow(DocumentHost& host, Clipboard& clipboard, std::shared_ptr<Document> record,
                   QWidget* parent = nullptr);
    ~DocumentWindow() override;

    /// The window showing a document, or null when its view is none of these.
    static DocumentWindow* of(const Document& document);

    Document& record() const { return *m_record; }

    PlainTextEditor* editorWidget() const { return m_editorWidget; }
    PlainTextControl& control() { return *m_control; }
    const PlainTextControl& control() const { return *m_control; }
    QLabel* urlTip() const { return m_tip; }
    QMenu* popupMenu() const { return m_popup; }

    /// The window caption ("Untitled 3", or the file name) and the document key.
    QString caption() const;
    QString key() const;
    bool isSetUp() const;
    bool isUntitled() const;
    bool isModified() const { return m_control->isModified(); }
    /// Fills the editor with a new text stored as UTF-8 with LF breaks.
    void loadNewText(const QString& text);

    /// The frame around this window inside the document area (null before it is added).
    QMdiSubWindow* frame() const;

    // DocumentView: the insertion operations of this window act through these.
    TextControl& editor() override { return *m_control; }
    void lineSet() override;
    void showTip(const QString& hint) override;
    void hideTip() override;
    void focusEditor() override;
    void setEditorEnabled(bool enabled) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPopupMenu();
    void PopupMenu1Popup();
    bool memoKeyDown(QKeyEvent* event);
    void memoKeyPress(QKeyEvent* event);
    void memoKeyUp(QKeyEvent* event);
    void applyFormattingRect();
    void frameStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    bool frameDoubleClicked(QMouseEvent* event);

    DocumentHost& m_host;
    Clipboard& m_clipboard;
    std::shared_ptr<Document> m_record;
    PlainTextEditor* m_editorWidget;
    QLabel* m_tip;
    QMenu* m_popup = nullptr;
    PlainTextControl* m_control;
    bool m_lineSetPending = false;
    QMdiSubWindow* m_watchedFrame = nullptr;
    bool m_enterPressed = false;
};

} // namespace vellum
