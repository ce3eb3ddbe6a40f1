// Writes COUNT keys "PREFIX<n>" = "value <n>" to section "Shared" of the settings file at PATH,
// one write at a time, as an instance of the program would.
#include "core/foundation/settings_file.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: settings_writer PATH PREFIX COUNT\n");
        return 2;
    }
    vellum::SettingsFile settings(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    try {
        for (int i = 0; i < count; ++i)
            settings.writeText(QStringLiteral("Shared"), prefix + QString::number(i),
                               QStringLiteral("value %1").arg(i));
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
