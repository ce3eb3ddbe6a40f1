#include "ui/app/document_commands.h"

#include "core/app/document_file.h"
#include "core/app/path_style.h"
#include "core/app/save_rules.h"
#include "core/app/settings_keys.h"
#include "core/editor/clipboard.h"
#include "ui/app/edit_commands.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/please_wait.h"
#include "ui/app/tab_strip.h"
#include "ui/editor/document_window.h"

#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>

namespace vellum {

namespace V = keys::Vellum;

namespace {

const FileDialogRequest OpenSpec{QStringLiteral("VellumHTML Opens Files"),
                                 QStringLiteral("HTML files|*.htm*|Text files|*.txt|All files|*.*"),
                                 QStringLiteral("htm"), true};
const FileDialogRequest InsertSpec{
    QStringLiteral("Vellum Inserts Files"),
    QStringLiteral("All files|*.*|HTML files|*.htm*|Text files|*.txt|INI files|*.ini"),
    QStringLiteral("htm"), true};
const FileDialogRequest SaveSpec{QString(), QStringLiteral("HTML Files|*.htm*|Any File|*.*"),
                                 QString(), false};

PathStyle style() {
    return nativePathStyle();
}

} // namespace

DocumentCommands::DocumentCommands(TMDImain& main) : m_main(main) {}

DocumentCommands::~DocumentCommands() = default;

TMDIsub* DocumentCommands::createDocument() {
    const TMDImain::ArrangingScope arranging(m_main);
    auto* document = new TMDIsub(m_main, m_main.clipboard());
    QMdiSubWindow* frame = m_main.area()->addSubWindow(document);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    if (m_main.settings().readText(V::Section, V::State) == QLatin1String(keys::StateMax)) {
        frame->showMaximized();
        m_main.showTabStrip(true);
    } else {
        frame->showNormal();
    }
    return document;
}

void DocumentCommands::finishNewDocument(TMDIsub& document) {
    m_main.tabs().addtabs(document, static_cast<int>(m_main.documentWindows().size()));
    m_main.hideCover();
    m_main.edits().ReadFont(document);
    m_main.setActiveKey(document.key());
    m_main.edits().applyTabStops(document);
    document.control().setModified(false);
    m_main.msave()->setEnabled(false);
}

void DocumentCommands::news() {
    m_main.placeOnFirstShow();
    newt(QString());
}

void DocumentCommands::newt(const QString& tpl) {
    if (m_suppressNext) {
        m_suppressNext = false;
        return;
    }
    SettingsFile& settings = m_main.settings();
    const QString handed = settings.readText(V::Section, V::Hello);
    const QString templateName = tpl.isEmpty() ? settings.readText(V::Section, V::Tpl) : tpl;
    const bool tabbed = settings.readText(V::Section, V::State) == QLatin1String(keys::StateMax);

    LoadedDocument loaded;
    bool haveFile = false;
    if (!handed.isEmpty()) {
        QString error;
        haveFile = loadDocumentFile(handed, loaded, error);
        if (!haveFile) {
            // The file went away or cannot be read: say so and start an untitled document instead.
            settings.writeText(V::Section, V::Hello, QString());
            m_main.dialogs().error(error);
        }
    }

    if (tabbed) {
        m_main.showCover();
        m_main.setWhiteBackground(true);
    }
    TMDIsub* document = createDocument();
    m_main.setTransitionCounter(1);

    if (haveFile) {
        m_suppressNext = true;
        document->loadDocument(loaded);
        document->setCaption(fileNamePart(handed, style()));
        document->setKey(pathIdentity(handed, style()));
        settings.writeText(V::Section, V::Hello, QString());
    } else {
        const int n = settings.readInt(V::Section, V::Count, 1);
        settings.writeInt(V::Section, V::Count, n + 1);
        const QString templatePath = m_main.home().templateDir() + QLatin1Char('/') + templateName;
        LoadedDocument fromTemplate;
        QString error;
        if (!templateName.isEmpty() && QFileInfo(templatePath).isFile() &&
            loadDocumentFile(templatePath, fromTemplate, error))
            document->loadNewText(fromTemplate.text);
        document->setCaption(QStringLiteral("Untitled %1").arg(n + 1));
        document->setKey(document->caption());
        document->setUntitled(true);
    }
    finishNewDocument(*document);
}

void DocumentCommands::newclean1Click() {
    TMDIsub* active = m_main.activeDocument();
    if (active && active->frame()->isMaximized())
        m_main.showCover();
    TMDIsub* document = createDocument();
    SettingsFile& settings = m_main.settings();
    const int n = settings.readInt(V::Section, V::Count, 1);
    settings.writeInt(V::Section, V::Count, n + 1);
    document->setCaption(QStringLiteral("Untitled %1").arg(n + 1));
    document->setKey(document->caption());
    document->setUntitled(true);
    finishNewDocument(*document);
}

TMDIsub* DocumentCommands::findOpen(const QString& path) const {
    for (TMDIsub* document : m_main.documentWindows()) {
        if (keyNamesPath(document->key(), path, style()))
            return document;
    }
    return nullptr;
}

void DocumentCommands::Opens() {
    QString path = m_pendingOpen;
    if (path.isEmpty()) {
        path = m_main.dialogs().openFileName(OpenSpec);
        if (path.isEmpty())
            return;
    }
    m_pendingOpen.clear();
    TMDIsub* active = m_main.activeDocument();
    if (active && active->frame()->isMaximized())
        m_main.showCover();

    if (TMDIsub* open = findOpen(path)) {
        m_main.dialogs().inform(alreadyOpenMessage(path));
        m_main.tabs().setIndex(m_main.tabs().ledger().indexOf(open->key()));
        m_main.hideCover();
        return;
    }

    // The file is read before a window exists for it, so a file that cannot be read leaves nothing
    // half made behind.
    LoadedDocument loaded;
    QString error;
    bool ok = false;
    {
        const Twaiter::Scope wait(QFileInfo(path).size() > OpenWaitBytes);
        ok = loadDocumentFile(path, loaded, error);
    }
    if (!ok) {
        m_main.hideCover();
        m_main.dialogs().error(error);
        return;
    }
    TMDIsub* document = createDocument();
    m_main.setTransitionCounter(1);
    document->setCaption(fileNamePart(path, style()));
    document->setKey(pathIdentity(path, style()));
    document->loadDocument(loaded);
    document->control().setSelection(0, 0);
    finishNewDocument(*document);
}

void DocumentCommands::InsertFile() {
    TMDIsub* document = m_main.activeDocument();
    if (!document)
        return;
    const QString path = m_main.dialogs().openFileName(InsertSpec);
    if (path.isEmpty())
        return;
    Clipboard& clipboard = m_main.clipboard();
    const QString remembered = clipboard.text();
    const int start = document->control().selection().start;
    {
        const Twaiter::Scope wait(QFileInfo(path).size() > InsertWaitBytes);
        LoadedDocument loaded;
        QString error;
        if (!loadDocumentFile(path, loaded, error)) {
            m_main.dialogs().error(error);
            return;
        }
        // Through the clipboard, so that one Undo in the document removes the whole insertion.
        TextBuffer& scratch = m_main.storememo();
        scratch.setText(loaded.text);
        clipboard.setText(scratch.text());
        scratch.setText(QString());
        document->control().paste();
    }
    clipboard.setText(remembered);
    m_main.msave()->setEnabled(true);
    m_main.edits().tabupdate(QStringLiteral("range"), start);
}

bool DocumentCommands::writeDocument(TMDIsub& document, const QString& path) {
    bool switched = false;
    const QByteArray bytes = document.bytesToSave(&switched);
    QString error;
    if (!saveDocumentFile(path, bytes, error)) {
        m_main.dialogs().error(error);
        return false;
    }
    if (switched)
        m_main.dialogs().inform(
            path + QStringLiteral(
                       " held characters that Windows-1252 cannot store; it was saved as UTF-8."));
    document.control().setModified(false);
    return true;
}

bool DocumentCommands::Saves(TMDIsub& document) {
    if (document.frame()->isMinimized())
        document.frame()->showNormal();
    // A file of its own that happens to be called "Untitled ..." is saved like any other.
    if (document.isUntitled())
        return SavesAs(document);
    if (!writeDocument(document, document.key()))
        return false;
    m_main.msave()->setEnabled(false);
    return true;
}

bool DocumentCommands::SavesAs(TMDIsub& document) {
    if (document.frame()->isMinimized())
        document.frame()->showNormal();
    const QString oldKey = document.key();
    QString name;
    for (;;) {
        name = m_main.dialogs().saveFileName(SaveSpec);
        if (name.isEmpty())
            return false;
        name = withSaveExtension(name, m_main.settings().readText(V::Section, V::DefExt), style());
        if (!QFileInfo::exists(name) || m_main.dialogs().askYesNo(replacePrompt(name, style())))
            break;
    }
    if (keyNamesPath(oldKey, name, style()) && !document.isUntitled())
        return Saves(document);
    for (TMDIsub* other : m_main.documentWindows()) {
        if (other != &document && keyNamesPath(other->key(), name, style())) {
            m_main.dialogs().error(currentlyOpenMessage(name));
            return false;
        }
    }
    // Written first: a failed write leaves the document as it was, still modified.
    if (!writeDocument(document, name))
        return false;
    const QString newKey = pathIdentity(name, style());
    document.setCaption(fileNamePart(name, style()));
    document.setKey(newKey);
    document.setUntitled(false);
    m_main.showCover();
    m_main.tabs().renamed(oldKey, newKey, document.caption());
    m_main.hideCover();
    m_main.msave()->setEnabled(false);
    m_main.setActiveKey(newKey);
    return true;
}

void DocumentCommands::SavesActive() {
    if (TMDIsub* document = m_main.activeDocument())
        Saves(*document);
}

void DocumentCommands::SavesAsActive() {
    if (TMDIsub* document = m_main.activeDocument())
        SavesAs(*document);
}

void DocumentCommands::Closes() {
    if (TMDIsub* document = m_main.activeDocument())
        document->frame()->close();
}

void DocumentCommands::contactUs(Prompter& prompter) {
    prompter.inform(QStringLiteral("VellumHTML is written by its users' fellow hand-coders.\n"
                                   "Tell us what would make your pages easier to write."));
}

} // namespace vellum
