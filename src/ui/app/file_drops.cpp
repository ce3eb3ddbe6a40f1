#include "ui/app/file_drops.h"

#include "core/app/command_registry.h"
#include "core/app/document_flows.h"
#include "ui/editor/plain_text_editor.h"

#include <QDropEvent>
#include <QWidget>

namespace vellum {

FileDrops::FileDrops(QWidget& window, DocumentFlows& flows, CommandRegistry& commands)
    : QObject(&window), m_flows(flows), m_commands(commands) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (droppedFiles(drag->mimeData()).isEmpty())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = droppedFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        for (const QString& file : files)
            m_commands.guard([&] { m_flows.openFile(file); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace vellum
