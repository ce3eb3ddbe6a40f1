#pragma once

#include "core/app/document_file.h"
#include "core/foundation/path_style.h"

#include <QString>
#include <optional>

namespace vellum {

class Clipboard;
class Document;
class HomeDirectory;
class Prompter;
class SettingsFile;
class Workspace;

/// The number of the next untitled document, counted on in the settings file (the key Count).
int takeUntitledNumber(SettingsFile& settings);

/// Creating, opening, inserting, saving and closing documents: the flows behind the File menu,
/// the start and the hand-off, over the workspace, the prompter and the settings file.
class DocumentFlows {
public:
    /// Files larger than these show the "Please wait." window while they load.
    static constexpr qint64 OpenWaitBytes = 132000;
    static constexpr qint64 InsertWaitBytes = 50000;

    DocumentFlows(Workspace& workspace, Prompter& prompter, SettingsFile& settings,
                  const HomeDirectory& home, Clipboard& clipboard,
                  PathStyle style = nativePathStyle());

    /// A new document: the handed-over file when one waits (the hand-off record is emptied), else
    /// an untitled document filled from the template `tpl` (or the stored default template when
    /// `tpl` is empty). Returns the new document. `handedOver`, when given, is the handed-over
    /// file (empty: none) in place of the record, which other starts may have overwritten.
    Document* newDocument(const QString& tpl,
                          const std::optional<QString>& handedOver = std::nullopt);
    /// A plain untitled document: no template, no handed-over file.
    Document* newPlainDocument();
    /// Opens `path`, or when it is empty a file chosen in the open dialog. A file that is open
    /// already comes to the front instead (after a message). Returns the new document, or null.
    Document* openFile(const QString& path = {});
    /// Inserts a chosen file's text at the caret of the active document, replacing the selection,
    /// so that one Undo removes it. The clipboard keeps what it held.
    void InsertFile();
    /// Saves a document to its file (Save As for an untitled one). Asks first when another
    /// program changed the file since it was read or saved. False when cancelled or failed; the
    /// document then stays modified.
    bool Saves(Document& document);
    /// Saves a document under a chosen name. False when cancelled or failed.
    bool SavesAs(Document& document);
    /// The question before a modified document closes, repeated while it stays modified: Yes
    /// saves, No lets it close unsaved, Cancel keeps it open. True when it may close.
    bool mayClose(Document& document);
    /// Exit: asks every document first, in window order; only when none answered Cancel are they
    /// all closed. False (every document still open, with its edits) after a Cancel.
    bool closeAll();
    /// When another program changed the document's file since it was read or saved, offers to
    /// read it again (a fresh undo history) or to keep the editor's text; a change the user chose
    /// to keep the text over is not offered again.
    void checkDisk(Document& document);

private:
    /// Whether files are read in the charset they declare, as the settings say now.
    DeclaredCharsets declaredCharsets() const;
    bool writeDocument(Document& document, const QString& path);
    bool mayOverwrite(Document& document);

    Workspace& m_workspace;
    Prompter& m_prompter;
    SettingsFile& m_settings;
    const HomeDirectory& m_home;
    Clipboard& m_clipboard;
    PathStyle m_style;
};

} // namespace vellum
