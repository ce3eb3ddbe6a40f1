#pragma once

#include <QString>

#include <memory>

class QPrinter;

namespace vellum {

class Prompter;
class TMDImain;
class TMDIsub;
struct LoadedDocument;

/// Creating, opening, inserting, saving, printing and closing documents in the main window.
class DocumentCommands {
public:
    /// Files larger than these show the "Please wait." window while they load.
    static constexpr qint64 OpenWaitBytes = 132000;
    static constexpr qint64 InsertWaitBytes = 50000;

    explicit DocumentCommands(TMDImain& main);
    ~DocumentCommands();

    /// A new document from the toolbar or at start: the first time, places the main window.
    void news();
    /// A new document: the handed-over file when one waits, else an untitled document filled
    /// from the template `tpl` (or the stored default template when `tpl` is empty).
    void newt(const QString& tpl);
    /// A plain untitled document: no template, no handed-over file.
    void newclean1Click();
    /// Opens the pending path, or a file chosen in the open dialog.
    void Opens();
    /// Inserts a chosen file's text at the caret of the active document; one Undo removes it.
    void InsertFile();
    /// Saves a document (Save As for an untitled one). False when cancelled or failed.
    bool Saves(TMDIsub& document);
    /// Saves a document under a chosen name. False when cancelled or failed.
    bool SavesAs(TMDIsub& document);
    void SavesActive();
    void SavesAsActive();
    /// Asks the active document to close.
    void Closes();
    void Prints();
    void PrintSetup();

    /// Prints a document's display lines on `printer` in the editor's font.
    static void printDocument(TMDIsub& document, QPrinter& printer);
    /// The small information window of the Help menu.
    static void contactUs(Prompter& prompter);

    /// A path for the next Opens to take instead of asking (the recent-files menu sets it).
    void setPendingOpen(const QString& path) { m_pendingOpen = path; }
    /// Ends the one-shot suppression of the next new document.
    void clearSuppression() { m_suppressNext = false; }

private:
    TMDIsub* createDocument();
    void finishNewDocument(TMDIsub& document);
    bool writeDocument(TMDIsub& document, const QString& path);
    TMDIsub* findOpen(const QString& path) const;

    TMDImain& m_main;
    QString m_pendingOpen;
    bool m_suppressNext = false;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace vellum
