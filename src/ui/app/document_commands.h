#pragma once

#include <memory>

class QPrinter;

namespace vellum {

class CommandRegistry;
class Document;
class DocumentFlows;
class MessageBoxPrompter;
class Prompter;
class DocumentWindow;
class Workspace;

/// The File menu's document commands, printing among them.
class DocumentCommands {
public:
    DocumentCommands(Workspace& workspace, DocumentFlows& flows, MessageBoxPrompter& prompter);
    ~DocumentCommands();

    /// Registers Open, Insert, Save, Save As, Close, Print, Print Preview and Print Setup, and the
    /// plain new document. The new documents that place the main window first are the main
    /// window's.
    void registerCommands(CommandRegistry& commands);

    void Prints(Document& document);
    /// Shows the pages Print would print, on the printer Print uses.
    void previewPrint(Document& document);
    void PrintSetup();

    /// Prints a document's display lines on `printer` in the editor's font.
    static void printDocument(DocumentWindow& document, QPrinter& printer);
    /// The small information window of the Help menu.
    static void contactUs(Prompter& prompter);

private:
    QPrinter& printer();

    Workspace& m_workspace;
    DocumentFlows& m_flows;
    MessageBoxPrompter& m_prompter;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace vellum
