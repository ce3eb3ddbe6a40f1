#pragma once

#include "core/app/document_file.h"
#include "ui/editor/plain_text_control.h"
#include "ui/editor/ts_rich_edit.h"

#include <QWidget>

class QLabel;
class QMdiSubWindow;

namespace vellum {

class Clipboard;
class DocumentHost;

/// A document window: one editor over one document's text, with the document's key and the
/// format its file is stored in.
class TMDIsub : public QWidget {
    Q_OBJECT
public:
    /// The caption of a window that is not set up yet.
    static constexpr char UnsetCaption[] = "  ";

    TMDIsub(DocumentHost& host, Clipboard& clipboard, QWidget* parent = nullptr);
    ~TMDIsub() override;

    TSRichEdit* memo() const { return m_memo; }
    PlainTextControl& control() { return *m_control; }
    const PlainTextControl& control() const { return *m_control; }

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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DocumentHost& m_host;
    TSRichEdit* m_memo;
    QLabel* m_iam;
    PlainTextControl* m_control;
    QString m_caption = QLatin1String(UnsetCaption);
    FileFormat m_format;
    QByteArray m_original;
    bool m_pristine = true;
};

} // namespace vellum
