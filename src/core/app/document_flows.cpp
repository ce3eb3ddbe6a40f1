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
using Cover = DocumentWindows::Cover;

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

/// Shows the "Please wait." window while it lives, when it is needed.
class WaitScope {
public:
    WaitScope(DocumentWindows& windows, bool needed) : m_windows(needed ? &windows : nullptr) {
        if (m_windows)
            m_windows->showWait(true);
    }
    ~WaitScope() {
        if (m_windows)
            m_windows->showWait(false);
    }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

private:
    DocumentWindows* m_windows;
};

bool loadWithWait(DocumentWindows& windows, const QString& path, qint64 waitAbove,
                  LoadedDocument& loaded, QString& error, DeclaredCharsets declared) {
    const WaitScope wait(windows, QFileInfo(path).size() > waitAbove);
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

DocumentFlows::DocumentFlows(Workspace& workspace, Prompter& prompter, SettingsFile& settings,
                             const HomeDirectory& home, Clipboard& clipboard, PathStyle style)
    : m_workspace(workspace), m_prompter(prompter), m_settings(settings), m_home(home),
      m_clipboard(clipboard), m_style(style) {}

DeclaredCharsets DocumentFlows::declaredCharsets() const {
    return m_settings.readInt(V::Section, V::DeclaredCharset, 1) != 0 ? DeclaredCharsets::Follow
                                                                      : DeclaredCharsets::Ignore;
}

void DocumentFlows::finishNewDocument(Document& document) {
    m_workspace.windows().windowReady(document);
    m_workspace.setActiveKey(document.key());
    document.text().setModified(false);
    m_workspace.windows().setSaveEnabled(false);
}

Document* DocumentFlows::newt(const QString& tpl, const std::optional<QString>& handedOver) {
    const QString handed = handedOver ? *handedOver : m_settings.readText(V::Section, V::Hello);
    const QString templateName = tpl.isEmpty() ? m_settings.readText(V::Section, V::Tpl) : tpl;

    LoadedDocument loaded;
    bool haveFile = false;
    if (!handed.isEmpty()) {
        QString error;
        haveFile = loadDocumentFile(handed, loaded, error, declaredCharsets());
        if (!haveFile) {
            // The file went away or cannot be read: say so and start an untitled document instead.
            m_settings.writeText(V::Section, V::Hello, QString());
            m_prompter.error(error);
        }
    }
    // The settings are written before a window exists, so that a refused write leaves nothing.
    int number = 0;
    if (haveFile) {
        m_settings.writeText(V::Section, V::Hello, QString());
    } else {
        number = m_settings.readInt(V::Section, V::Count, 1) + 1;
        m_settings.writeInt(V::Section, V::Count, number);
    }

    m_workspace.windows().showCover(Cover::WhenTabbedArrangement);
    Document& document = m_workspace.create(true);
    if (haveFile) {
        document.load(std::move(loaded));
        document.nameFile(handed, m_style);
        UpdateOldies(m_settings, handed, m_style);
    } else {
        const QString templatePath = m_home.templateDir() + QLatin1Char('/') + templateName;
        LoadedDocument fromTemplate;
        QString error;
        if (!templateName.isEmpty() && QFileInfo(templatePath).isFile() &&
            loadDocumentFile(templatePath, fromTemplate, error, declaredCharsets()))
            document.loadNew(fromTemplate.text);
        document.nameUntitled(number);
    }
    finishNewDocument(document);
    return &document;
}

Document* DocumentFlows::newclean() {
    const int number = m_settings.readInt(V::Section, V::Count, 1) + 1;
    m_settings.writeInt(V::Section, V::Count, number);
    m_workspace.windows().showCover(Cover::WhenActiveMaximised);
    Document& document = m_workspace.create(false);
    document.nameUntitled(number);
    finishNewDocument(document);
    return &document;
}

Document* DocumentFlows::Opens(const QString& given) {
    const QString path = given.isEmpty() ? m_prompter.openFileName(OpenRequest) : given;
    if (path.isEmpty())
        return nullptr;
    DocumentWindows& windows = m_workspace.windows();
    windows.showCover(Cover::WhenActiveMaximised);

    if (Document* open = m_workspace.findFile(path, m_style)) {
        m_prompter.inform(alreadyOpenMessage(path));
        m_workspace.bringForward(*open);
        windows.hideCover();
        return nullptr;
    }

    // The file is read before a window exists for it, so a file that cannot be read leaves
    // nothing half made behind.
    LoadedDocument loaded;
    QString error;
    if (!loadWithWait(windows, path, OpenWaitBytes, loaded, error, declaredCharsets())) {
        windows.hideCover();
        m_prompter.error(error);
        return nullptr;
    }
    Document& document = m_workspace.create(true);
    document.nameFile(path, m_style);
    document.load(std::move(loaded));
    document.text().setSelection(0, 0);
    finishNewDocument(document);
    UpdateOldies(m_settings, path, m_style);
    return &document;
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
    if (!loadWithWait(m_workspace.windows(), path, InsertWaitBytes, loaded, error,
                      declaredCharsets())) {
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
    TextBuffer& scratch = m_workspace.storememo();
    scratch.setText(loaded.text);
    m_clipboard.setText(scratch.text());
    scratch.setText(QString());
    editor.paste();
    m_clipboard.setText(remembered);
    m_workspace.windows().setSaveEnabled(true);
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
    if (!mayOverwrite(document) || !writeDocument(document, document.key()))
        return false;
    m_workspace.windows().setSaveEnabled(false);
    return true;
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
    m_workspace.windows().windowRenamed(document, oldKey);
    m_workspace.windows().setSaveEnabled(false);
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
    if (!loadWithWait(m_workspace.windows(), document.key(), OpenWaitBytes, loaded, error,
                      declaredCharsets())) {
        m_prompter.error(error);
        return;
    }
    document.load(std::move(loaded));
    document.text().setModified(false);
    if (m_workspace.active() == &document)
        m_workspace.windows().setSaveEnabled(false);
}

} // namespace vellum
