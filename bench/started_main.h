#pragma once

#include "generated_html.h"

#include "core/app/document.h"
#include "core/app/document_file.h"
#include "core/foundation/clipboard.h"
#include "core/foundation/settings_file.h"
#include "support/started_application.h"
#include "ui/app/application.h"
#include "ui/app/document_area.h"
#include "ui/app/message_box_prompter.h"
#include "ui/editor/document_window.h"

#include <QApplication>
#include <QTest>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>

namespace vellum::bench {

constexpr int CharsPerMB = 1 << 20;
constexpr std::uint64_t DocumentSeed = 0x5eed0fd0c5ULL;
constexpr int NearEnd = 4000; // operations happen within so many characters of the end

/// Answers every question without showing anything: No to questions, cancel to dialogs.
/// Messages go to the error stream, since none is expected here.
class QuietPrompter : public MessageBoxPrompter {
public:
    void inform(const QString& text) override { say("message", text); }
    void error(const QString& text) override { say("error", text); }
    bool askYesNo(const QString& text) override {
        say("question", text);
        return false;
    }
    Answer askYesNoCancel(const QString& text) override {
        say("question", text);
        return Answer::No;
    }
    QString openFileName(const FileDialogRequest&) override { return {}; }
    QString saveFileName(const FileDialogRequest&) override { return {}; }
    bool choosePrinter(QPrinter&) override { return false; }
    void setUpPrinter(QPrinter&) override {}
    std::optional<QList<int>> chooseRecoveries(const QList<RecoveryChoice>&) override {
        return std::nullopt;
    }

private:
    static void say(const char* kind, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
};

/// The program as a user starts it in a fresh home, shown, with its first document. Keeping
/// documents for recovery is off: its writes would land in the middle of what is timed.
class StartedMain {
public:
    StartedMain() {
        SettingsFile(m_started.home.settingsPath())
            .writeText(QStringLiteral("Vellum"), QStringLiteral("Recovery"), QStringLiteral("0"));
        m_started.runAndShow();
        if (!m_started.app)
            qFatal("the start sequence did not build the application");
        if (!QTest::qWaitForWindowExposed(m_started.window()))
            qFatal("the main window was not exposed");
        QCoreApplication::processEvents();
        if (!app().documents().activeDocument())
            qFatal("the start left no active document");
    }

    Application& app() { return *m_started.app; }
    DocumentWindow& document() { return *app().documents().activeDocument(); }
    PlainTextControl& control() { return document().control(); }
    /// Loads the document of `mb` MB into the active document window (unless it holds it),
    /// lets the idle-time layout settle, and puts the caret near the end.
    void load(int mb) {
        if (m_loadedMb == mb)
            return;
        {
            LoadedDocument loaded;
            loaded.text =
                generateHtml(mb * CharsPerMB, DocumentSeed + static_cast<std::uint64_t>(mb));
            document().record().load(std::move(loaded));
        }
        document().editorWidget()->viewport()->repaint();
        while (!control().isLayoutSettled())
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const int end = control().length();
        control().setSelection(end - NearEnd / 2, end - NearEnd / 2);
        QCoreApplication::processEvents();
        m_loadedMb = mb;
    }

private:
    test::StartedApplication<QuietPrompter> m_started;
    int m_loadedMb = -1;
};

} // namespace vellum::bench
