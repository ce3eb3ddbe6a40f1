#include "ui/editor/tag_removal.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/app/workspace.h"
#include "core/editor/search.h"

#include <QCursor>
#include <QGuiApplication>

namespace vellum {

namespace {

/// From this many characters on, a selection holding a tag shows the "Please wait." window while
/// its tags are removed.
constexpr int WaitFromLength = 256;

/// Hides the mouse pointer while it lives.
class PointerHidden {
public:
    PointerHidden() { QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor)); }
    ~PointerHidden() { QGuiApplication::restoreOverrideCursor(); }
    PointerHidden(const PointerHidden&) = delete;
    PointerHidden& operator=(const PointerHidden&) = delete;
};

void removeTags(Workspace& workspace, Document& document) {
    TextControl& editor = document.text();
    const PointerHidden hidden;
    const BusyScope wait(workspace, editor.selection().length() >= WaitFromLength &&
                                        editor.selectedText().contains(QLatin1Char('<')));
    killtags(editor);
}

} // namespace

void registerTagRemoval(CommandRegistry& commands, Workspace& workspace) {
    const auto run = [&workspace](Document& document) { removeTags(workspace, document); };
    commands.addForDocument(QStringLiteral("RemoveTags1"), run, [&workspace] {
        const Document* document = workspace.active();
        return document ? std::optional<bool>(document->text().selection().length() > 0)
                        : std::nullopt;
    });
    commands.addForDocument(QStringLiteral("RemoveTags2"), run);
    commands.addForDocument(QStringLiteral("removethem"), run);
}

} // namespace vellum
