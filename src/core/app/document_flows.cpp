#include "core/app/document_flows.h"

#include "core/app/document.h"
#include "core/app/document_file.h"
#include "core/app/home_directory.h"
#include "core/app/recent_files.h"
#include "core/app/save_rules.h"
#include "core/app/workspace.h"
#include "core/foundation/clipboard.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFileInfo>
#include <QStringList>

namespace vellum {

namespace V = keys::Vellum;
using Origin = DocumentRequest::Origin;

namespace {

const FileDialogRequest OpenRequest{
    QStringLiteral("VellumHTML Opens Files"),
    QStringLiteral("HTML files|*.htm*|Text files|*.txt|All files|*.*"), QStringLiteral("htm"),
    true};
const FileDialogRequest InsertRequest{
    QStringLiteral("Vellum Inserts Files"),
    QStringLiteral("All files|*.*|HTML files|*.htm*|Text files|*.txt|INI files|*.ini"),
    QStringLiteral("htm"), true};
const FileDialogRequest SaveRequest{QString(), QStringLiteral("HTML Files|*.htm*|Any File|*.*"),
                                    QString(), false};

bool loadWithWait(Workspace& workspace, const QString& path, qint64 waitAbove,
                  LoadedDocument& loaded, QString& error, DeclaredCharsets declared) {
    const BusyScope wait(workspace, QFileInfo(path).size() > waitAbove);
    return loadDocumentFile(path, loaded, error, declared);
}

// What the user is told when the charset a saved file declares is not the one it is written in.
QString mismatchMessage(const QString& path, const QString& written,
                        const CharsetMismatch& mismatch) {
    switch (mismatch.kind) {
    case CharsetMismatch::Kind::None:
        break;
    case CharsetMismatch::Kind::NamesAnother:
        return QStringLiteral("%1 was saved in %2, but its <meta> declaration names %3, so it may "
                              "be read as %3 when it is opened again. The declaration was left "
                              "as it is: change it to %2 to make them agree.")
            .arg(path, written, mismatch.declared);
    case CharsetMismatch::Kind::Undeclared:
        return QStringLiteral("%1 was saved in %2, but it no longer declares that character set, "
                              "so it may be read in another one when it is opened again. Declare "
                              "it near the top of the file with <meta charset=\"%2\">.")
            .arg(path, written);
    }
    return QString();
}

} // namespace

int takeUntitledNumber(SettingsFile& settings) {
    const int number = settings.readInt(V::Section, V::Count, 1) + 1;
    settings.writeInt(V::Section, V::Count, number);
    return number;
}

DocumentFlows::DocumentFlows(Workspace& workspace, Prompter& prompter, SettingsFile& settings,
                             const HomeDirectory& home, Clipboard& clipboard, PathStyle style)
    : m_workspace(workspace), m_prompter(prompter), m_settings(settings), m_home(home),
      m_clipboard(clipboard), m_style(style) {}

DeclaredCharsets DocumentFlows::declaredCharsets() const {
    return m_settings.readInt(V::Section, V::DeclaredCharset, 1) != 0 ? DeclaredCharsets::Follow
                                                                      : DeclaredCharsets::Ignore;
}

Document* DocumentFlows::newDocument(const QString& tpl, const std::optional<QString>& handedOver) {
    const QString handed = handedOver ? *handedOver : m_settings.readText(V::Section, V::Hello);
    const QString templateName = tpl.isEmpty() ? m_settings.readText(V::Section, V::Tpl) : tpl;

    DocumentRequest request;
    request.origin = Origin::New;
    request.style = m_style;
    if (!handed.isEmpty()) {
        LoadedDocument loaded;
        QString error;
        if (loadDocumentFile(handed, loaded, error, declaredCharsets())) {
            request.path = handed;
            request.file = std::move(loaded);
        } else {
            // The file went away or cannot be read: say so and start an untitled document instead.
            m_settings.writeText(V::Section, V::Hello, QString());
            m_prompter.error(error);
        }
    }
    // The settings are written before a window exists, so that a refused write leaves nothing.
    if (request.file) {
        m_settings.writeText(V::Section, V::Hello, QString());
    } else {
        request.number = takeUntitledNumber(m_settings);
        const QString templatePath = m_home.templateDir() + QLatin1Char('/') + templateName;
        LoadedDocument fromTemplate;
        QString error;
        if (!templateName.isEmpty() && QFileInfo(templatePath).isFile() &&
            loadDocumentFile(templatePath, fromTemplate, error, declaredCharsets()))
            request.newText = fromTemplate.text;
    }
    const bool fromFile = request.file.has_value();
    Document* document = m_workspace.make(std::move(request));
    if (fromFile)
        UpdateOldies(m_settings, handed, m_style);
    return document;
}

Document* DocumentFlows::newPlainDocument() {
    DocumentRequest request;
    request.origin = Origin::Clean;
    request.number = takeUntitledNumber(m_settings);
    return m_workspace.make(std::move(request));
}

Document* DocumentFlows::openFile(const QString& given) {
    const QString path = given.isEmpty() ? m_prompter.openFileName(OpenRequest) : given;
    if (path.isEmpty())
        return nullptr;
    DocumentRequest request;
    request.origin = Origin::Open;
    request.path = path;
    request.style = m_style;
    QString error;
    request.prepare = [this, &error](DocumentRequest& asked) {
        if (Document* open = m_workspace.findFile(asked.path, m_style)) {
            m_prompter.inform(alreadyOpenMessage(asked.path));
            m_workspace.bringForward(*open);
            return false;
        }
        // The file is read before a window exists for it, so a file that cannot be read leaves
        // nothing half made behind.
        LoadedDocument loaded;
        if (!loadWithWait(m_workspace, asked.path, OpenWaitBytes, loaded, error,
                          declaredCharsets()))
            return false;
        asked.file = std::move(loaded);
        return true;
    };
    Document* document = m_workspace.make(std::move(request));
    if (!error.isEmpty())
        m_prompter.error(error);
    if (document)
        UpdateOldies(m_settings, path, m_style);
    return document;
}

void DocumentFlows::InsertFile() {
    Document* document = m_workspace.active();
    if (!document)
        return;
    const QString path = m_prompter.openFileName(InsertRequest);
    if (path.isEmpty())
        return;
    LoadedDocument loaded;
    QString error;
    if (!loadWithWait(m_workspace, path, InsertWaitBytes, loaded, error, declaredCharsets())) {
        m_prompter.error(error);
        return;
    }
    // The dialog is modal: the document may have gone meanwhile.
    document = m_workspace.active();
    if (!document)
        return;
    TextControl& editor = document->text();
    const QString remembered = m_clipboard.text();
    const int start = editor.selection().start;
    // Through the clipboard, so that one Undo in the document removes the whole insertion.
    TextBuffer& scratch = m_workspace.scratchBuffer();
    scratch.setText(loaded.text);
    m_clipboard.setText(scratch.text());
    scratch.setText(QString());
    editor.paste();
    m_clipboard.setText(remembered);
    m_workspace.windows().textInserted(*document, start);
}

bool DocumentFlows::writeDocument(Document& document, const QString& path) {
    const QString storedIn = encodingName(document.format());
    bool switched = false;
    const QByteArray bytes = document.bytesToSave(&switched);
    QString error;
    DiskStamp written;
    if (!saveDocumentFile(path, bytes, error, &written)) {
        m_prompter.error(error);
        return false;
    }
    document.setDiskStamp(written);
    document.setDeclinedStamp(DiskStamp{});
    // The file is written as the document holds it either way; the user decides what to change.
    QStringList told;
    if (switched)
        told << QStringLiteral("%1 held characters that %2 cannot store; it was saved as UTF-8.")
                    .arg(path, storedIn);
    if (declaredCharsets() == DeclaredCharsets::Follow) {
        const QString mismatch = mismatchMessage(path, encodingName(document.format()),
                                                 charsetMismatch(bytes, document.format()));
        if (!mismatch.isEmpty())
            told << mismatch;
    }
    if (!told.isEmpty())
        m_prompter.inform(told.join(QLatin1Char('\n')));
    document.text().setModified(false);
    return true;
}

bool DocumentFlows::mayOverwrite(Document& document) {
    if (!changedOnDisk(document.key(), document.diskStamp()))
        return true;
    return m_prompter.askYesNo(
        document.key() +
        QStringLiteral(" has been changed by another program since it was opened or last "
                       "saved.\nReplace it with the text in the editor?"));
}

bool DocumentFlows::Saves(Document& document) {
    m_workspace.windows().restoreWindow(*document.view());
    // A file of its own that happens to be called "Untitled ..." is saved like any other.
    if (document.isUntitled())
        return SavesAs(document);
    return mayOverwrite(document) && writeDocument(document, document.key());
}

bool DocumentFlows::SavesAs(Document& document) {
    m_workspace.windows().restoreWindow(*document.view());
    const QString oldKey = document.key();
    QString name;
    for (;;) {
        name = m_prompter.saveFileName(SaveRequest);
        if (name.isEmpty())
            return false;
        name = withSaveExtension(name, m_settings.readText(V::Section, V::DefExt), m_style);
        if (!QFileInfo::exists(name) || m_prompter.askYesNo(replacePrompt(name, m_style)))
            break;
    }
    if (!document.isUntitled() && keyNamesPath(oldKey, name, m_style))
        return Saves(document);
    for (Document* other : m_workspace.documents()) {
        if (other != &document && other->isNamed() && !other->isUntitled() &&
            keyNamesPath(other->key(), name, m_style)) {
            m_prompter.error(currentlyOpenMessage(name));
            return false;
        }
    }
    // Written first: a failed write leaves the document as it was, still modified.
    if (!writeDocument(document, name))
        return false;
    document.nameFile(name, m_style);
    UpdateOldies(m_settings, name, m_style);
    m_workspace.setActiveKey(document.key());
    return true;
}

bool DocumentFlows::mayClose(Document& document) {
    while (document.text().isModified()) {
        m_workspace.windows().restoreWindow(*document.view());
        m_workspace.bringForward(document);
        const Prompter::Answer answer = m_prompter.askYesNoCancel(
            QStringLiteral("Save Changes to '%1'?").arg(document.caption()));
        if (answer == Prompter::Answer::Cancel)
            return false;
        if (answer == Prompter::Answer::No)
            return true;
        Saves(document);
    }
    return true;
}

bool DocumentFlows::closeAll() {
    // Every document is asked before any closes: a Cancel anywhere leaves them all open.
    const QList<Document*> documents = m_workspace.documents();
    for (Document* document : documents) {
        if (!mayClose(*document))
            return false;
    }
    // Each comes forward as it closes: the tab strip removes the tab of the active document.
    for (Document* document : documents) {
        m_workspace.bringForward(*document);
        if (!m_workspace.close(*document, false))
            return false;
    }
    return true;
}

void DocumentFlows::checkDisk(Document& document) {
    if (document.isUntitled() || !document.isNamed())
        return;
    DiskStamp now;
    if (!changedOnDisk(document.key(), document.diskStamp(), &now) ||
        (document.declinedStamp().known && now == document.declinedStamp()))
        return;
    QString question = document.key() + QStringLiteral(" has been changed by another program.\n"
                                                       "Read it again from the disk?");
    if (document.text().isModified())
        question += QStringLiteral("\nThe changes made in the editor would be lost.");
    if (!m_prompter.askYesNo(question)) {
        document.setDeclinedStamp(now);
        return;
    }
    LoadedDocument loaded;
    QString error;
    if (!loadWithWait(m_workspace, document.key(), OpenWaitBytes, loaded, error,
                      declaredCharsets())) {
        m_prompter.error(error);
        return;
    }
    document.load(std::move(loaded));
    document.text().setModified(false);
}

} // namespace vellum
