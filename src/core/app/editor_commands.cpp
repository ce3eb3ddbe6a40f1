#include "core/app/editor_commands.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/workspace.h"
#include "core/editor/tag_commands.h"

#include <QStringList>

namespace vellum {

void registerTagCommands(CommandRegistry& registry, Workspace& workspace,
                         const SettingsFile& settings) {
    for (const TagCommand& command : tagCommands()) {
        const TagCommand* tag = &command;
        const auto run = [tag, &workspace, &settings](Document& document) {
            runTagCommand(*tag, *document.view(), workspace.scratch(), workspace.insertionSlots(),
                          workspace.enterFlag(), settings);
        };
        for (const QString& item : QString::fromLatin1(command.menuItems).split(QLatin1Char(',')))
            registry.addForDocument(item, run);
        if (*command.contextMenu != '\0')
            registry.addForDocument(QString::fromLatin1(command.id), run);
    }
}

void registerEditorKeyCommands(CommandRegistry& registry, Workspace& workspace) {
    const auto brackets = [&workspace](const QString& text) {
        return [&workspace, text](Document& document) {
            docops::insertBrackets(*document.view(), workspace.scratch(),
                                   workspace.insertionSlots(), text);
        };
    };
    registry.addForDocument(QStringLiteral("bracketPair"), brackets(QStringLiteral("<>")));
    registry.addForDocument(QStringLiteral("closingBracketPair"), brackets(QStringLiteral("</>")));
}

} // namespace vellum
