// Widget tests run real windows; without a display they use the offscreen platform.
#include "support/crash_report.h"

#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace {

// The offscreen platform's own screen is 800 x 600 pixels, smaller than any desktop's: at double
// scale the windows would lie off it, where no click reaches them. Its screen is made the size of
// the virtual X server's instead (1280 x 1024 at any scale).
void useDesktopSizedScreen(QTemporaryFile& config) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    bool ok = false;
    double scale = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok || scale <= 0)
        scale = 1;
    const QByteArray width = QByteArray::number(qRound(1280 * scale));
    const QByteArray height = QByteArray::number(qRound(1024 * scale));
    if (!config.open())
        return;
    config.write(R"({"screens":[{"name":"desktop","x":0,"y":0,"width":)" + width + R"(,"height":)" +
                 height + R"(,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    config.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryFile screens;
    useDesktopSizedScreen(screens);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    vellum::test::reportCrashes();
    return RUN_ALL_TESTS();
}
