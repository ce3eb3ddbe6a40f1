#pragma once

#include "core/app/document_file.h"
#include "core/foundation/path_style.h"

#include <QString>

namespace vellum {

class DocumentView;
class TextControl;

/// One open document: its identity (key and caption), how its file is stored, and the window that
/// shows its text. The workspace creates it together with its window.
class Document {
public:
    /// The caption of a document that is not named yet.
    static constexpr char UnnamedCaption[] = "  ";

    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    /// The window showing the document (null only while the window is being made).
    DocumentView* view() const { return m_view; }
    void attachView(DocumentView* view) { m_view = view; }
    /// The document's text (the window's editor).
    TextControl& text() const;

    /// The document key: its file's identity, or its untitled caption.
    const QString& key() const { return m_key; }
    /// "Untitled 3", or the file-name part of the path.
    const QString& caption() const { return m_caption; }
    /// False until the document has its caption and key.
    bool isNamed() const { return m_caption != QLatin1String(UnnamedCaption); }
    /// True for a document that has never been saved to a file of its own.
    bool isUntitled() const { return m_untitled; }

    /// Names a new document "Untitled `number`" (caption and key).
    void nameUntitled(int number);
    /// Names the document after its file (caption: the file-name part; key: the identity).
    void nameFile(const QString& path, PathStyle style);

    /// Fills the text from a loaded file and remembers its format, bytes and disk state.
    void load(LoadedDocument&& loaded);
    /// Fills the text with a new text to be stored as UTF-8 with LF breaks.
    void loadNew(const QString& text);
    /// The text changed since it was loaded.
    void textChanged() { m_pristine = false; }

    /// The bytes to write for the current text. When the text cannot be stored in the file's own
    /// encoding the format becomes UTF-8 and `*switched` is set.
    QByteArray bytesToSave(bool* switched);
    const FileFormat& format() const { return m_format; }

    /// The file as the program last read or wrote it.
    const DiskStamp& diskStamp() const { return m_stamp; }
    void setDiskStamp(const DiskStamp& stamp) { m_stamp = stamp; }
    /// A change on disk the user chose to keep the editor's text over; not offered again.
    const DiskStamp& declinedStamp() const { return m_declined; }
    void setDeclinedStamp(const DiskStamp& stamp) { m_declined = stamp; }

private:
    DocumentView* m_view = nullptr;
    QString m_key;
    QString m_caption = QLatin1String(UnnamedCaption);
    bool m_untitled = false;
    FileFormat m_format;
    QByteArray m_original;
    bool m_pristine = true;
    DiskStamp m_stamp;
    DiskStamp m_declined;
};

} // namespace vellum
