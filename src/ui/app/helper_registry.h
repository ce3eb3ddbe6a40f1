#pragma once

#include "ui/helpers/helper_host.h"

#include <QHash>
#include <QPointer>
#include <QString>

namespace vellum {

class CommandRegistry;
class HelpViewer;
class HomeDirectory;
class HelperFrame;
class MessageBoxPrompter;
class TForm4;
class Workspace;

/// The helper windows: which commands open them and how, made on demand from the helper table,
/// one of each at most. A helper that closes is forgotten, so the next command makes it anew.
/// It is also what every helper needs of the main window.
class HelperRegistry : public HelperHost {
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
    /// The open helper `id`, or null.
    HelperFrame* find(const QString& id) const;
    /// Closes every open helper as a click on its close button would.
    void closeAll();
    /// Destroys the open helpers `ids` at once, skipping their close steps (so their positions are
    /// not written).
    void destroyWithoutClosing(const QStringList& ids);

    // HelperHost
    QRect mainGeometry() const override;
    QWidget* mainWidget() override { return &m_main; }
    bool hasDocument() const override;
    void focusMain() override;
    Insertions& insertions() override;
    InsertionContext& insertionContext() override;
    TextControl& scratch() override;
    InsertionSlots& insertionSlots() override;
    QString libraryDir() const override;
    QString activeDocumentPath() const override;
    QString openFileName(const FileDialogRequest& request) override;
    SettingsFile& settings() override { return m_settings; }
    void showHelpTopic(int topic) override;
    bool chooseColour(QColor& colour) override;
    void showError(const QString& text) override;
    void showMessage(const QString& text) override;
    void openHelper(const QString& id) override { open(id); }
    LibraryHandOff& libraryHandOff() override { return m_handOff; }
    void newlibr() override;
    void guard(const std::function<void()>& action) override;

private:
    QWidget& m_main;
    Workspace& m_workspace;
    SettingsFile& m_settings;
    const HomeDirectory& m_home;
    HelpViewer& m_help;
    MessageBoxPrompter& m_prompter;
    CommandRegistry& m_commands;
    QHash<QString, QPointer<HelperFrame>> m_open;
    LibraryHandOff m_handOff;
    QPointer<TForm4> m_addToLibrary;
};

} // namespace vellum
