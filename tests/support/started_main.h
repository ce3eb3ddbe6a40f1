#pragma once

#include "core/app/workspace.h"
#include "core/foundation/clipboard.h"
#include "core/foundation/settings_file.h"
#include "support/marked_text.h"
#include "support/started_application.h"
#include "support/ui_prompter.h"
#include "ui/app/application.h"
#include "ui/app/document_area.h"
#include "ui/app/main_menus.h"
#include "ui/app/status_line.h"
#include "ui/app/tab_strip.h"
#include "ui/editor/document_window.h"

#include <QAction>
#include <QStringList>
#include <QTabBar>
#include <memory>

namespace vellum::test {

/// The program started in a fresh home, with scripted dialogs and a clipboard of its own, and the
/// ways the tests look at it.
struct Started : StartedApplication<ScriptedPrompter> {
    QString read(const char* section, const QString& key) const {
        return SettingsFile(home.settingsPath()).readText(section, key);
    }
    void write(const char* section, const char* key, const QString& value) const {
        SettingsFile(home.settingsPath()).writeText(section, key, value);
    }

    /// The tab index the settings record for a document key, read as the tab strip reads it.
    int ledger(const QString& key) const { return app->documents().tabs().ledger().indexOf(key); }

    void trigger(const char* action) const { app->menus().action(action)->trigger(); }
    DocumentWindow* active() const { return app->documents().activeDocument(); }
    QList<DocumentWindow*> documents() const { return app->documents().documentWindows(); }
    QStringList captions() const {
        QStringList out;
        for (const DocumentWindow* document : documents())
            out << document->caption();
        return out;
    }
    QStringList keys() const {
        QStringList out;
        for (const DocumentWindow* document : documents())
            out << document->key();
        return out;
    }
    QTabBar* tabBar() const { return app->documents().tabs().bar(); }
    QStringList tabTexts() const {
        QStringList out;
        for (int i = 0; i < tabBar()->count(); ++i)
            out << tabBar()->tabText(i);
        return out;
    }
    /// Opens a file through the Open item, the dialog answering with `path`.
    void open(const QString& path) {
        prompter.openNames.push_back(path);
        trigger("Open1");
    }
};

/// Fills a document window with a marked text (see parseMarked).
inline void load(DocumentWindow& document, const QString& drawn) {
    const MarkedText marked = parseMarked(drawn);
    document.loadNewText(marked.text);
    document.control().setSelection(marked.anchor, marked.caret);
}

/// The document's text marked as `load` reads it.
inline QString drawn(const DocumentWindow& document) {
    return drawMarked(document.control());
}

} // namespace vellum::test
