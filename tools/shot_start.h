#pragma once

#include "support/started_application.h"
#include "ui/app/message_box_prompter.h"

#include <QFile>

namespace vellum::tools {

/// The main window as a user first sees it, started by the real start sequence in a fresh
/// temporary home with `page` open (written there as index.htm), shown at `size`.
struct ShotStart : test::StartedApplication<MessageBoxPrompter> {
    bool run(const QByteArray& page, const QSize& size) {
        const QString path = home.write(QStringLiteral("index.htm"), page);
        if (home.read(QStringLiteral("index.htm")) != page)
            return false;
        return open(path, size);
    }
    /// As run, with the page at `path` open.
    bool open(const QString& path, const QSize& size) {
        runAndShow({path});
        if (!app)
            return false;
        window()->showNormal();
        window()->setGeometry(QRect(QPoint(0, 0), size));
        return true;
    }
};

} // namespace vellum::tools
