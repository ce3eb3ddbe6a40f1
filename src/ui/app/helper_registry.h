#pragma once

#include "core/editor/start_tag.h"
#include "core/helpers/helper_placement.h"
#include "ui/helpers/helper_context.h"
#include "ui/library/user_library.h"

#include <QHash>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace vellum {

class CommandRegistry;
class Document;
class HelpViewer;
class HomeDirectory;
class HelperFrame;
class MessageBoxPrompter;
class AddToLibraryDialog;
class Workspace;

/// Everything a row of the helper table may hand its helper; each row takes what its helper uses.
struct HelperServices {
    HelperContext& context;
    ColourChooser chooseColour;
    DocumentFiles& files;
    UserLibrary& library;
};

/// What a helper's command does when the helper is open already.
enum class WhenOpen {
    ShowAgain, ///< shows it again and gives the focus back to the main window
    Nothing,
};

/// What fills an open helper from a tag it was handed.
using TagFiller = std::function<void(HelperFrame&)>;

/// One helper window and every fact particular to it. Adding a helper is a generator in the core,
/// a window class and one of these rows.
struct HelperRow {
    /// The name the program knows it by ("Table", ...).
    const char* id;
    /// The items that open it, separated by ",".
    const char* commands;
    /// Its caption, position keys, default place, help topic and the like (see HelperTraits).
    HelperTraits traits;
    WhenOpen whenOpen;
    /// The helper program's first run clears it away (it is a floating helper).
    bool clearedForHelperProgram;
    /// The name of its picture in the manual, without ".png".
    const char* manualPicture;
    /// Makes the window, handing it the services it uses.
    HelperFrame* (*make)(const HelperServices& services, const HelperTraits& traits);
    /// Reads a start tag of the document whose file is `documentPath` into the helper's options:
    /// what sets its controls to them, or empty when the helper does not write that tag. Null for
    /// a helper that edits no tags.
    TagFiller (*readTag)(const StartTag& tag, const QString& documentPath) = nullptr;
};

/// The helper table, one row a helper.
const std::vector<HelperRow>& helperTable();
/// The row of helper `id`, or null.
const HelperRow* helperRow(const QString& id);

/// The helper windows: which commands open them and how, made on demand from the helper table,
/// one of each at most. A helper that closes is forgotten, so the next command makes it anew.
/// It is also the context every helper works in.
class HelperRegistry : public HelperContext, private UserLibrary {
public:
    HelperRegistry(QWidget& main, Workspace& workspace, SettingsFile& settings,
                   const HomeDirectory& home, HelpViewer& help, MessageBoxPrompter& prompter,
                   CommandRegistry& commands);
    ~HelperRegistry() override;

    /// Registers the command of every helper in the table.
    void registerCommands();
    /// Opens the helper `id` ("Table", "Font", ...) as its command does; nothing without an open
    /// document. Returns the helper when it is open afterwards.
    HelperFrame* open(const QString& id);
    /// Opens the helper that writes the start tag at the caret of `document`, filled from the
    /// tag and editing it; without such a tag, says so and changes nothing.
    void editTagInHelper(Document& document);
    /// The open helper `id`, or null.
    HelperFrame* find(const QString& id) const;
    /// Closes every open helper as a click on its close button would.
    void closeAll();
    /// Destroys the open helpers that the helper program's first run clears away, skipping their
    /// close steps (so their positions are not written).
    void clearForHelperProgram();

    // HelperContext
    QWidget* mainWidget() override { return &m_main; }
    QRect mainGeometry() const override;
    SettingsFile& settings() override { return m_settings; }
    void focusMain() override;
    Insertions& insertions() override;
    InsertionContext& documents() override;
    void showHelpTopic(int topic) override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void guard(const std::function<void()>& action) override;

private:
    class OpenDocumentFiles;

    // UserLibrary
    QString libraryDir() const override;
    LibraryHandOff& handOff() override { return m_handOff; }
    void newLibraryItem() override;
    void openUserTags() override;

    QWidget& m_main;
    Workspace& m_workspace;
    SettingsFile& m_settings;
    const HomeDirectory& m_home;
    HelpViewer& m_help;
    MessageBoxPrompter& m_prompter;
    CommandRegistry& m_commands;
    std::unique_ptr<OpenDocumentFiles> m_files;
    QHash<QString, QPointer<HelperFrame>> m_open;
    LibraryHandOff m_handOff;
    QPointer<AddToLibraryDialog> m_addToLibrary;
};

} // namespace vellum
