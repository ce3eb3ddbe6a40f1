#include "core/app/command_registry.h"

#include "core/app/workspace.h"
#include "core/foundation/prompter.h"

#include <exception>

namespace vellum {

CommandRegistry::CommandRegistry(Workspace& workspace, Prompter& prompter)
    : m_workspace(workspace), m_prompter(prompter) {}

void CommandRegistry::add(const QString& id, Run run, Enabled enabled) {
    m_commands.insert(id, Command{std::move(run), {}, std::move(enabled)});
}

void CommandRegistry::addForDocument(const QString& id, DocumentRun run, Enabled enabled) {
    m_commands.insert(id, Command{{}, std::move(run), std::move(enabled)});
}

bool CommandRegistry::run(const QString& id) {
    const auto found = m_commands.constFind(id);
    if (found == m_commands.constEnd())
        return false;
    const Command command = found.value();
    guard([&] {
        if (command.run) {
            command.run();
        } else if (Document* document = m_workspace.active()) {
            command.onDocument(*document);
        }
    });
    return true;
}

bool CommandRegistry::runOn(const QString& id, Document& document) {
    const auto found = m_commands.constFind(id);
    if (found == m_commands.constEnd())
        return false;
    const Command command = found.value();
    guard([&] {
        if (command.onDocument)
            command.onDocument(document);
        else
            command.run();
    });
    return true;
}

std::optional<bool> CommandRegistry::enabled(const QString& id) const {
    const auto found = m_commands.constFind(id);
    if (found == m_commands.constEnd() || !found->enabled)
        return std::nullopt;
    return found->enabled();
}

void CommandRegistry::guard(const std::function<void()>& action) {
    runReporting(m_prompter, action);
}

void runReporting(Prompter& prompter, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        prompter.error(QString::fromUtf8(failure.what()));
    }
}

const QStringList& commandsNotYetBuilt() {
    // Every item has its command now; an item whose command is still to come is listed here.
    static const QStringList ids;
    return ids;
}

} // namespace vellum
