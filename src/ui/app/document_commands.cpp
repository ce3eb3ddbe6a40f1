#include "ui/app/document_commands.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/document_flows.h"
#include "core/app/workspace.h"
#include "ui/app/message_box_prompter.h"
#include "ui/editor/document_window.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

namespace vellum {

DocumentCommands::DocumentCommands(Workspace& workspace, DocumentFlows& flows,
                                   MessageBoxPrompter& prompter)
    : m_workspace(workspace), m_flows(flows), m_prompter(prompter) {}

DocumentCommands::~DocumentCommands() = default;

void DocumentCommands::registerCommands(CommandRegistry& commands) {
    commands.add(QStringLiteral("newclean1"), [this] { m_flows.newPlainDocument(); });
    commands.add(QStringLiteral("Open1"), [this] { m_flows.openFile(); });
    commands.add(QStringLiteral("Insert1"), [this] { m_flows.InsertFile(); });
    commands.addForDocument(QStringLiteral("Save1"),
                            [this](Document& document) { m_flows.Saves(document); });
    commands.addForDocument(QStringLiteral("SaveAs1"),
                            [this](Document& document) { m_flows.SavesAs(document); });
    commands.addForDocument(QStringLiteral("Close1"),
                            [this](Document& document) { m_workspace.close(document); });
    commands.addForDocument(QStringLiteral("Print1"),
                            [this](Document& document) { Prints(document); });
    commands.addForDocument(QStringLiteral("PrintPreview1"),
                            [this](Document& document) { previewPrint(document); });
    commands.addForDocument(QStringLiteral("PrintSetup1"), [this](Document&) { PrintSetup(); });
}

QPrinter& DocumentCommands::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void DocumentCommands::Prints(Document& document) {
    DocumentWindow* window = DocumentWindow::of(document);
    if (window && m_prompter.choosePrinter(printer()))
        printDocument(*window, printer());
}

void DocumentCommands::previewPrint(Document& document) {
    DocumentWindow* window = DocumentWindow::of(document);
    if (!window)
        return;
    // The pages are drawn by the same printing on the same printer and its settings, so that the
    // preview is paginated exactly as Print prints.
    QPrintPreviewDialog preview(&printer(), window->window());
    preview.setObjectName(QStringLiteral("PrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [window](QPrinter* pages) { printDocument(*window, *pages); });
    preview.exec();
}

void DocumentCommands::PrintSetup() {
    m_prompter.setUpPrinter(printer());
}

void DocumentCommands::contactUs(Prompter& prompter) {
    prompter.inform(QStringLiteral("VellumHTML is written by its users' fellow hand-coders.\n"
                                   "Tell us what would make your pages easier to write."));
}

} // namespace vellum
