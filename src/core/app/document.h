#pragma once

#include "core/app/document_file.h"
#include "core/foundation/path_style.h"

#include <QString>
#include <vector>

namespace vellum {

class Document;
class DocumentView;
class TextControl;

/// What a document tells those who listen to it. Every call comes after the change.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    /// The modified flag of the text became `modified`.
    virtual void modifiedChanged(Document& document, bool modified);
    /// The text changed.
    virtual void textChanged(Document& document);
    /// The document was named (`oldKey` empty) or renamed (`oldKey`: its former key).
    virtual void renamed(Document& document, const QString& oldKey);
    /// The document is closing: its window is still open and it is still listed.
    virtual void closing(Document& document);
};

/// One open document: its identity (key and caption), its text, how its file is stored, and the
/// window that shows it. The workspace creates it together with its window, and says to its
/// listeners when the text, the modified flag or the name changes and when it closes.
class Document {
public:
    /// The caption of a document that is not named yet.
    static constexpr char UnnamedCaption[] = "  ";

    Document() = default;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    ~Document();

    /// The window showing the document (null only while the window is being made).
    DocumentView* view() const { return m_view; }
    /// Gives the document its window and its text store (the window's editor, or a buffer); the
    /// document reports the store's changes from now on.
    void attach(DocumentView* view, TextControl& text);
    /// The document's text.
    TextControl& text() const { return *m_text; }

    /// `listener` is told of this document's changes until it is removed (or the document goes).
    void addListener(DocumentListener& listener);
    void removeListener(DocumentListener& listener);
    /// Nothing is reported any more: the listeners are dropped and the text store is left alone.
    void stopReporting();
    /// Tells the listeners the document is closing.
    void reportClosing();

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
    void renamedFrom(const QString& oldKey);
    template <typename Call> void tell(Call call);

    DocumentView* m_view = nullptr;
    TextControl* m_text = nullptr;
    bool m_reporting = false;
    std::vector<DocumentListener*> m_listeners;
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
