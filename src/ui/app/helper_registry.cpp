#include "ui/app/helper_registry.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/home_directory.h"
#include "core/app/workspace.h"
#include "core/editor/start_tag.h"
#include "core/helpers/body_code.h"
#include "core/helpers/font_code.h"
#include "core/helpers/form_code.h"
#include "core/helpers/helper_tags.h"
#include "core/helpers/image_code.h"
#include "core/helpers/link_code.h"
#include "core/helpers/list_code.h"
#include "core/helpers/table_code.h"
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
#include "ui/library/add_to_library_dialog.h"
#include "ui/library/special_chars_helper.h"
#include "ui/library/user_tags_helper.h"

namespace vellum {

namespace {

using Services = HelperServices;
using Traits = HelperTraits;
constexpr bool Cleared = true;
constexpr bool Stays = false;

// What a row hands its helper besides the context, each picked from the services by name.
namespace handed {
struct Colours {
    static ColourChooser of(const Services& s) { return s.chooseColour; }
};
struct Files {
    static DocumentFiles& of(const Services& s) { return s.files; }
};
struct Library {
    static UserLibrary& of(const Services& s) { return s.library; }
};
struct LibraryDir {
    static QString of(const Services& s) { return s.library.libraryDir(); }
};
} // namespace handed

template <typename Helper, typename... Handed>
HelperFrame* make(const Services& services, const Traits& traits) {
    return new Helper(services.context, traits, Handed::of(services)...);
}

using namespace handed;

/// What shows `options`, read from a tag, in a helper of type Helper; empty without options.
/// A row's readTag is this over the helper's reading function.
template <typename Helper, typename Options>
TagFiller filler(const std::optional<Options>& options) {
    if (!options)
        return {};
    return [shown = *options](HelperFrame& helper) {
        if (auto* helperOfType = qobject_cast<Helper*>(&helper))
            helperOfType->showOptions(shown);
    };
}

// Every helper window, one row each.
const std::vector<HelperRow> HelperTable{
    {"Table", "Helper5", Traits("Table Helper", "tabt", "tabl").below(98).topic(11).zeroCounts(),
     WhenOpen::ShowAgain, Cleared, "table", make<TableHelper, Colours>,
     [](const StartTag& t, const QString&) { return filler<TableHelper>(tableOptionsFromTag(t)); }},
    {"Document", "Document1,DocumentHelper1,BackgroundImage1",
     Traits("Document Helper", "imgt", "imgl").below(170).topic(9).centredOnScreen(),
     WhenOpen::ShowAgain, Stays, "document", make<DocumentHelper, Colours, Files>,
     [](const StartTag& t, const QString& path) {
         return filler<DocumentHelper>(bodyOptionsFromTag(t, path, nativePathStyle()));
     }},
    {"Font", "Helper2,SizeColor1", Traits("Font Helper", "fontt", "fontl").below(80).topic(10),
     WhenOpen::Nothing, Cleared, "font", make<FontHelper, Colours>,
     [](const StartTag& t, const QString&) { return filler<FontHelper>(fontOptionsFromTag(t)); }},
    {"Color", "Color2", Traits("Color Helper", "colort", "colorl").below(152).topic(14),
     WhenOpen::Nothing, Cleared, "color", make<ColorHelper, Colours>},
    {"Form", "Helper6",
     Traits("Form Helper", "formt", "forml").below(206).topic(17).focusStaysOnRoll(),
     WhenOpen::Nothing, Cleared, "form", make<FormHelper>,
     [](const StartTag& t, const QString&) { return filler<FormHelper>(formOptionsFromTag(t)); }},
    {"List", "Helper8", Traits("List Helper", "listt", "listl").below(116).topic(12),
     WhenOpen::ShowAgain, Cleared, "list", make<ListHelper>,
     [](const StartTag& t, const QString&) { return filler<ListHelper>(listOptionsFromTag(t)); }},
    {"Link", "Helper9", Traits("Link Helper", "linkt", "linkl").below(134).topic(13),
     WhenOpen::ShowAgain, Cleared, "link", make<LinkHelper, Files>,
     [](const StartTag& t, const QString&) {
         return filler<LinkHelper>(linkOptionsFromTag(t, nativePathStyle()));
     }},
    {"Image", "Helper7", Traits("Image Helper", "imgt", "imgl").below(170).topic(15),
     WhenOpen::ShowAgain, Cleared, "image", make<ImageHelper, Files>,
     [](const StartTag& t, const QString& path) {
         return filler<ImageHelper>(imageOptionsFromTag(t, path, nativePathStyle()));
     }},
    {"Special", "SpecialChars1",
     Traits("Special Characters", "charst", "charsl")
         .below(224)
         .topic(18)
         .insertButton("Insert")
         .helpButtonName("SpeedButton3"),
     WhenOpen::Nothing, Stays, "chars", make<SpecialCharactersHelper, LibraryDir>},
    {"User", "UserTags1,UserTags2",
     Traits("User Tags Helper", "usert", "userl").below(188).topic(16), WhenOpen::Nothing, Cleared,
     "usertags", make<UserTagsHelper, Library>},
};

} // namespace

const std::vector<HelperRow>& helperTable() {
    return HelperTable;
}

const HelperRow* helperRow(const QString& id) {
    for (const HelperRow& row : HelperTable) {
        if (id == QLatin1String(row.id))
            return &row;
    }
    return nullptr;
}

/// The files of the open documents and the open-file dialog, as the helpers that refer to files
/// are handed them.
class HelperRegistry::OpenDocumentFiles : public DocumentFiles {
public:
    OpenDocumentFiles(Workspace& workspace, MessageBoxPrompter& prompter)
        : m_workspace(workspace), m_prompter(prompter) {}

    QString activeDocumentPath() const override {
        const Document* document = m_workspace.active();
        return document && document->isNamed() && !document->isUntitled() ? document->key()
                                                                          : QString();
    }
    QString openFileName(const FileDialogRequest& request) override {
        return m_prompter.openFileName(request);
    }

private:
    Workspace& m_workspace;
    MessageBoxPrompter& m_prompter;
};

HelperRegistry::HelperRegistry(QWidget& main, Workspace& workspace, SettingsFile& settings,
                               const HomeDirectory& home, HelpViewer& help,
                               MessageBoxPrompter& prompter, CommandRegistry& commands)
    : m_main(main), m_workspace(workspace), m_settings(settings), m_home(home), m_help(help),
      m_prompter(prompter), m_commands(commands),
      m_files(std::make_unique<OpenDocumentFiles>(workspace, prompter)) {}

HelperRegistry::~HelperRegistry() = default;

void HelperRegistry::registerCommands() {
    for (const HelperRow& row : HelperTable) {
        const QString id = QString::fromLatin1(row.id);
        for (const QString& item : QString::fromLatin1(row.commands).split(QLatin1Char(',')))
            m_commands.add(item, [this, id] { open(id); });
    }
    const auto edit = [this](Document& document) { editTagInHelper(document); };
    m_commands.addForDocument(QStringLiteral("EditTag1"), edit);
    m_commands.addForDocument(QStringLiteral("EditTag2"), edit);
}

void HelperRegistry::editTagInHelper(Document& document) {
    const TextControl& editor = document.text();
    const std::optional<StartTag> tag = startTagAt(editor.text(), editor.selection().end);
    // The tag decides the helper: a cell with a background picture is the Image helper's.
    const HelperRow* row = tag ? helperRow(helperForTag(*tag)) : nullptr;
    const TagFiller fill =
        row && row->readTag ? row->readTag(*tag, m_files->activeDocumentPath()) : TagFiller();
    if (!fill) {
        m_prompter.inform(QStringLiteral("There is no tag here that a helper writes."));
        focusMain();
        return;
    }
    if (HelperFrame* helper = open(QString::fromLatin1(row->id))) {
        fill(*helper);
        helper->editTag(*tag);
    }
}

HelperFrame* HelperRegistry::open(const QString& id) {
    const HelperRow* row = helperRow(id);
    if (!row || !insertions().hasDocument())
        return find(id);
    QPointer<HelperFrame>& helper = m_open[id];
    // Opened to insert, a helper that was editing a tag inserts again.
    if (helper)
        helper->leaveEditMode();
    if (!helper) {
        const HelperServices services{
            *this, [this](QColor& colour) { return m_prompter.chooseColour(colour); }, *m_files,
            *this};
        helper = row->make(services, row->traits);
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

void HelperRegistry::clearForHelperProgram() {
    for (const HelperRow& row : HelperTable) {
        if (row.clearedForHelperProgram)
            delete m_open.take(QString::fromLatin1(row.id)).data();
    }
}

QRect HelperRegistry::mainGeometry() const {
    return m_main.frameGeometry();
}

void HelperRegistry::focusMain() {
    m_main.activateWindow();
    if (DocumentView* document = m_workspace.activeDocument())
        document->focusEditor();
}

Insertions& HelperRegistry::insertions() {
    return m_workspace.insertions();
}

InsertionContext& HelperRegistry::documents() {
    return m_workspace;
}

void HelperRegistry::showHelpTopic(int topic) {
    m_help.showTopic(topic);
}

void HelperRegistry::showError(const QString& text) {
    m_prompter.error(text);
}

void HelperRegistry::showMessage(const QString& text) {
    m_prompter.inform(text);
}

void HelperRegistry::guard(const std::function<void()>& action) {
    m_commands.guard(action);
}

QString HelperRegistry::libraryDir() const {
    return m_home.libraryDir();
}

void HelperRegistry::newLibraryItem() {
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
    m_addToLibrary = new AddToLibraryDialog(*this, *this);
    m_addToLibrary->show();
}

void HelperRegistry::openUserTags() {
    open(QStringLiteral("User"));
}

} // namespace vellum
