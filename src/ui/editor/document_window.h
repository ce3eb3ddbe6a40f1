#pragma once

#include "core/app/document_file.h"
#include "core/editor/insertion.h"
#include "ui/editor/plain_text_control.h"
#include "ui/editor/ts_rich_edit.h"

#include <QWidget>

class QLabel;
class QMdiSubWindow;
class QMenu;

namespace vellum {

class Clipboard;
class DocumentHost;

/// A document window: one editor over one document's text, with the document's key and the
/// format its file is stored in.
class TMDIsub : public QWidget, public DocumentView {
    Q_OBJECT
public:
    /// The caption of a window that is not set up yet.
    static constexpr char UnsetCaption[] = "  ";
    /// The URL tip sits this far below and to the left of the caret.
    static constexpr int TipBelow = 14;
    static constexpr int TipLeft = 62;

    TMDIsub(DocumentHost& host, Clipboard& clipboard, QWidget* parent = nullptr);
    ~TMDIsub() override;

    TSRichEdit* memo() const { return m_memo; }
    PlainTextControl& control() { return *m_control; }
    const PlainTextControl& control() const { return *m_control; }
    QLabel* urlTip() const { return m_tip; }
    QMenu* popupMenu() const { return m_popup; }

    /// The window caption ("Untitled 3", or the file name).
    QString caption() const { return m_caption; }
    void setCaption(const QString& caption);
    bool isSetUp() const { return m_caption != QLatin1String(UnsetCaption); }

    /// The document key: the identity of the document (its path, or its untitled caption).
    QString key() const;
    void setKey(const QString& key);

    /// The frame around this window inside the document area (null before it is added).
    QMdiSubWindow* frame() const;

    /// Fills the editor from a loaded file and remembers its format.
    void loadDocument(const LoadedDocument& document);
    /// Fills the editor with a new text stored as UTF-8 with LF breaks.
    void loadNewText(const QString& text);
    /// The bytes to write for the current text. When the text cannot be stored in the file's own
    /// encoding the format becomes UTF-8 and `*switched` is set.
    QByteArray bytesToSave(bool* switched);
    const FileFormat& format() const { return m_format; }

    bool isModified() const { return m_control->isModified(); }

    /// True for a document that has never been saved to a file of its own.
    bool isUntitled() const { return m_untitled; }
    void setUntitled(bool untitled) { m_untitled = untitled; }

    // DocumentView: the insertion operations of this window act through these.
    TextControl& editor() override { return *m_control; }
    void lineSet() override;
    void showTip(const QString& hint) override;
    void focusEditor() override;
    void setEditorEnabled(bool enabled) override;

    void addtags(const QString& open, const QString& close);
    void movechar();
    void boardit();
    void tipper(const QString& hint, int back);
    void GotoLine(int n);
    void gotoLineEnd(int n);

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
    void insertBrackets(const QString& text);
    void applyFormattingRect();
    void frameStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);

    DocumentHost& m_host;
    Clipboard& m_clipboard;
    TSRichEdit* m_memo;
    QLabel* m_iam;
    QLabel* m_tip;
    QMenu* m_popup = nullptr;
    PlainTextControl* m_control;
    QString m_caption = QLatin1String(UnsetCaption);
    FileFormat m_format;
    QByteArray m_original;
    bool m_pristine = true;
    bool m_lineSetPending = false;
    QMdiSubWindow* m_watchedFrame = nullptr;
    bool m_enterPressed = false;
    bool m_untitled = false;
};

} // namespace vellum
