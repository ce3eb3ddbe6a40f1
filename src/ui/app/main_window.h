#pragma once

#include "core/app/home_directory.h"
#include "core/app/settings_file.h"
#include "core/editor/insertion.h"
#include "core/editor/text_buffer.h"
#include "ui/app/help_viewer.h"
#include "ui/editor/document_host.h"
#include "ui/helpers/helper_host.h"

#include <QBrush>
#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTabBar;

namespace vellum {

class Clipboard;
class DocumentCommands;
class EditCommands;
class MessageBoxPrompter;
class TabStrip;
class TfontRoll;
class TlinkRoll1;
class TtabRoll;
class TMDIsub;

/// The main frame: the document windows, the menus and toolbar, the status bar with its tab
/// strip, and the hidden scratch editor.
class TMDImain : public QMainWindow, public DocumentHost, public HelperHost {
    Q_OBJECT
public:
    /// Builds the frame and resets what a run keeps in the settings (see resetRunState).
    TMDImain(SettingsFile& settings, const HomeDirectory& home, MessageBoxPrompter& prompter,
             Clipboard& clipboard, QWidget* parent = nullptr);
    ~TMDImain() override;

    /// Shows the frame and creates the first document, placing the frame first (once).
    void start();
    /// True until the first show has placed the window.
    bool isFirstShow() const { return m_firstShow; }
    /// Places the frame from the settings on its first show; later calls do nothing.
    void placeOnFirstShow();

    SettingsFile& settings() override { return m_settings; }
    const HomeDirectory& home() const { return m_home; }
    MessageBoxPrompter& dialogs() { return m_prompter; }
    Clipboard& clipboard() { return m_clipboard; }
    QLabel* dates() const { return m_dates; }
    QLabel* linecol() const { return m_linecol; }
    QMdiArea* area() const { return m_area; }
    QWidget* switchpanel() const { return m_switchpanel; }
    QAction* msave() const { return m_msave; }
    TabStrip& tabs() { return *m_tabs; }
    TextBuffer& storememo() { return m_storememo; }
    HelpViewer& help() { return m_help; }
    DocumentCommands& documents() { return *m_commands; }
    EditCommands& edits() { return *m_edit; }

    /// The menu item, toolbar button or hidden item of that component name (null when none).
    QAction* action(const QString& name) const { return m_actions.value(name); }

    /// The open document windows in the order they were created.
    QList<TMDIsub*> documentWindows() const;
    /// The active document window, or null when none is open.
    TMDIsub* activeDocument() const;
    /// Makes a document the active one.
    void bringForward(TMDIsub& document);
    /// The key of the document last activated, created, opened or renamed.
    const QString& activeKey() const { return m_activeKey; }
    void setActiveKey(const QString& key) { m_activeKey = key; }

    /// True while documents are maximised with the tab strip shown.
    bool isTabbed() const;
    void showCover();
    void hideCover();
    /// White behind tabbed documents, the workspace colour behind tiled or cascaded ones.
    void setWhiteBackground(bool white);
    void setTransitionCounter(int value) { m_transition = value; }

    /// Shows the tab strip in place of the banner, or the banner again.
    void showTabStrip(bool shown);

    void Tabbed();
    void Tiled();
    void Cascaded();
    void switchpanelClick();

    // DocumentHost
    void documentActivated(TMDIsub& document) override;
    void documentChanged(TMDIsub& document) override;
    bool saveDocument(TMDIsub& document) override;
    void documentClosing(TMDIsub& document) override;
    void documentMaximised(TMDIsub& document) override;
    void documentUnmaximised(TMDIsub& document) override;
    bool arrangingWindows() const override { return m_arranging > 0; }
    void documentResized(TMDIsub& document) override;
    void showLine(int line) override;
    bool autoIndentEnabled() override;
    QString& enterFlag() override { return m_enterFlag; }
    Insertions& insertions() override { return *m_insertions; }
    TextControl& scratch() override { return m_storememo; }
    InsertionSlots& insertionSlots() override { return m_slots; }
    Prompter& prompter() override;

    /// Shows the caret line of the active document in the status bar.
    void lineSet();

    // HelperHost
    QRect mainGeometry() const override { return frameGeometry(); }
    QWidget* mainWidget() override { return this; }
    bool hasDocument() const override { return activeDocument() != nullptr; }
    void focusMain() override;
    void showHelpTopic(int topic) override;
    bool chooseColour(QColor& colour) override;
    void showError(const QString& text) override;

    /// The helper windows: each is created on demand and empties its reference when it closes.
    void HelpTable();
    void HelpFont() override;
    void Helpcolor();
    TtabRoll* tableHelper() const;
    TfontRoll* fontHelper() const;
    TlinkRoll1* colorHelper() const;

    /// While one lives, window-state changes are the program's own arranging, not user commands.
    class ArrangingScope {
    public:
        explicit ArrangingScope(TMDImain& main) : m_main(main) { ++m_main.m_arranging; }
        ~ArrangingScope() { --m_main.m_arranging; }
        ArrangingScope(const ArrangingScope&) = delete;
        ArrangingScope& operator=(const ArrangingScope&) = delete;

    private:
        TMDImain& m_main;
    };

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildStatusBar();
    void buildMenusAndToolbar();
    void bindCommands();
    void arrange(bool tile);
    void subWindowActivated(QMdiSubWindow* window);

    SettingsFile& m_settings;
    HomeDirectory m_home;
    MessageBoxPrompter& m_prompter;
    Clipboard& m_clipboard;
    QMdiArea* m_area;
    QWidget* m_switchpanel;
    QLabel* m_banner = nullptr;
    QTabBar* m_tabBar = nullptr;
    QLabel* m_lineLabel = nullptr;
    QLabel* m_linecol = nullptr;
    QLabel* m_dates = nullptr;
    QAction* m_msave = nullptr;
    QHash<QString, QAction*> m_actions;
    TabStrip* m_tabs = nullptr;
    std::unique_ptr<DocumentCommands> m_commands;
    std::unique_ptr<EditCommands> m_edit;
    TextBuffer m_storememo;
    HelpViewer m_help;
    QBrush m_workspaceBrush;
    QString m_activeKey;
    bool m_firstShow = true;
    int m_transition = 0;
    int m_arranging = 0;
    QString m_enterFlag;
    InsertionSlots m_slots;
    std::unique_ptr<Workspace> m_workspace;
    std::unique_ptr<Insertions> m_insertions;
    QPointer<TtabRoll> m_tableHelper;
    QPointer<TfontRoll> m_fontHelper;
    QPointer<TlinkRoll1> m_colorHelper;
};

} // namespace vellum
