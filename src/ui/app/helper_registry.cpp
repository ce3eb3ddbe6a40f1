#include "ui/app/helper_registry.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/home_directory.h"
#include "core/app/workspace.h"
#include "ui/app/message_box_prompter.h"
#include "ui/foundation/help_viewer.h"
#include "ui/helpers/color_helper.h"
#include "ui/helpers/document_helper.h"
#include "ui/helpers/font_helper.h"
#include "ui/helpers/form_helper.h"
#include "ui/helpers/image_helper.h"
#include "ui/helpers/link_helper.h"
#include "ui/helpers/list_helper.h"
#include "ui/helpers/table_helper.h"
#include "ui/library/add_to_library.h"
#include "ui/library/special_chars_helper.h"
#include "ui/library/user_tags_helper.h"

namespace vellum {

namespace {

/// What a helper's command does when the helper is open already.
enum class WhenOpen {
    ShowAgain, ///< shows it again and gives the focus back to the main window
    Nothing,
};

struct HelperRow {
    const char* id;
    /// The items that open it, separated by ",".
    const char* commands;
    HelperFrame* (*make)(HelperHost& host);
    WhenOpen whenOpen;
};

template <typename Helper> HelperFrame* make(HelperHost& host) {
    return new Helper(host);
}

const HelperRow HelperTable[] = {
    {"Table", "Helper5", make<TtabRoll>, WhenOpen::ShowAgain},
    {"Document", "Document1,DocumentHelper1,BackgroundImage1", make<Tdocuroll>,
     WhenOpen::ShowAgain},
    {"Font", "Helper2,SizeColor1", make<TfontRoll>, WhenOpen::Nothing},
    {"Color", "Color2", make<TlinkRoll1>, WhenOpen::Nothing},
    {"Form", "Helper6", make<TlinkRoll2>, WhenOpen::Nothing},
    {"List", "Helper8", make<TlistRoll>, WhenOpen::ShowAgain},
    {"Link", "Helper9", make<TlinkRoll>, WhenOpen::ShowAgain},
    {"Image", "Helper7", make<Timageroll>, WhenOpen::ShowAgain},
    {"Special", "SpecialChars1", make<Tspecials>, WhenOpen::Nothing},
    {"User", "UserTags1,UserTags2", make<Tuserroll>, WhenOpen::Nothing},
};

const HelperRow* rowOf(const QString& id) {
    for (const HelperRow& row : HelperTable) {
        if (id == QLatin1String(row.id))
            return &row;
    }
    return nullptr;
}

} // namespace

HelperRegistry::HelperRegistry(QWidget& main, Workspace& workspace, SettingsFile& settings,
                               const HomeDirectory& home, HelpViewer& help,
                               MessageBoxPrompter& prompter, CommandRegistry& commands)
    : m_main(main), m_workspace(workspace), m_settings(settings), m_home(home), m_help(help),
      m_prompter(prompter), m_commands(commands) {}

HelperRegistry::~HelperRegistry() = default;

void HelperRegistry::registerCommands() {
    for (const HelperRow& row : HelperTable) {
        const QString id = QString::fromLatin1(row.id);
        for (const QString& item : QString::fromLatin1(row.commands).split(QLatin1Char(',')))
            m_commands.add(item, [this, id] { open(id); });
    }
}

HelperFrame* HelperRegistry::open(const QString& id) {
    const HelperRow* row = rowOf(id);
    if (!row || !hasDocument())
        return find(id);
    QPointer<HelperFrame>& helper = m_open[id];
    if (!helper) {
        helper = row->make(*this);
        helper->show();
    } else if (row->whenOpen == WhenOpen::ShowAgain) {
        helper->show();
        helper->raise();
    } else {
        return helper;
    }
    if (row->whenOpen == WhenOpen::ShowAgain)
        focusMain();
    return helper;
}

HelperFrame* HelperRegistry::find(const QString& id) const {
    return m_open.value(id);
}

void HelperRegistry::closeAll() {
    // They close as they would by hand, so that their positions are remembered.
    for (const QPointer<HelperFrame>& helper : std::as_const(m_open)) {
        if (helper)
            helper->close();
    }
}

void HelperRegistry::destroyWithoutClosing(const QStringList& ids) {
    for (const QString& id : ids)
        delete m_open.take(id).data();
}

QRect HelperRegistry::mainGeometry() const {
    return m_main.frameGeometry();
}

bool HelperRegistry::hasDocument() const {
    return m_workspace.active() != nullptr;
}

void HelperRegistry::focusMain() {
    m_main.activateWindow();
    if (DocumentView* document = m_workspace.activeDocument())
        document->focusEditor();
}

Insertions& HelperRegistry::insertions() {
    return m_workspace.insertions();
}

InsertionContext& HelperRegistry::insertionContext() {
    return m_workspace;
}

TextControl& HelperRegistry::scratch() {
    return m_workspace.scratch();
}

InsertionSlots& HelperRegistry::insertionSlots() {
    return m_workspace.insertionSlots();
}

QString HelperRegistry::libraryDir() const {
    return m_home.libraryDir();
}

QString HelperRegistry::activeDocumentPath() const {
    const Document* document = m_workspace.active();
    return document && document->isNamed() && !document->isUntitled() ? document->key() : QString();
}

QString HelperRegistry::openFileName(const FileDialogRequest& request) {
    return m_prompter.openFileName(request);
}

void HelperRegistry::showHelpTopic(int topic) {
    m_help.showTopic(topic);
}

bool HelperRegistry::chooseColour(QColor& colour) {
    return m_prompter.chooseColour(colour);
}

void HelperRegistry::showError(const QString& text) {
    m_prompter.error(text);
}

void HelperRegistry::showMessage(const QString& text) {
    m_prompter.inform(text);
}

void HelperRegistry::newlibr() {
    DocumentView* document = m_workspace.activeDocument();
    if (!document)
        return;
    if (document->editor().selection().length() == 0) {
        m_prompter.inform(QStringLiteral("You must have text selected in the editor before you can "
                                         "add new Library items. Click OK and try again."));
        focusMain();
        return;
    }
    if (m_addToLibrary)
        return;
    // Straight into the scratch editor, not through the clipboard: what the user copied stays
    // there whole.
    TextControl& scratch = m_workspace.scratch();
    scratch.selectAll();
    scratch.replaceSelection(document->editor().selectedText());
    if (HelperFrame* userTags = find(QStringLiteral("User")))
        userTags->close();
    m_addToLibrary = new TForm4(*this);
    m_addToLibrary->show();
}

void HelperRegistry::guard(const std::function<void()>& action) {
    m_commands.guard(action);
}

} // namespace vellum
