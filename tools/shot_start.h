#pragma once

#include "core/app/home_directory.h"
#include "core/foundation/clipboard.h"
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/start_sequence.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace vellum::tools {

/// The main window as a user first sees it, started by the real start sequence in a fresh
/// temporary home with `page` open (written there as index.htm), shown at `size`.
struct ShotStart {
    QTemporaryDir home;
    MessageBoxPrompter prompter;
    MemoryClipboard clipboard;
    std::unique_ptr<StartSequence> sequence;
    std::unique_ptr<TMDImain> main;

    bool run(const QByteArray& page, const QSize& size) {
        const QString path = home.filePath(QStringLiteral("index.htm"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size())
            return false;
        file.close();
        sequence = std::make_unique<StartSequence>(HomeDirectory(home.path()), prompter, clipboard);
        main = sequence->run({path}, false);
        if (!main)
            return false;
        main->start();
        main->showNormal();
        main->setGeometry(QRect(QPoint(0, 0), size));
        return true;
    }
};

} // namespace vellum::tools
