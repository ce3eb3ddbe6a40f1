#include "core/app/startup.h"

#include "core/app/arrangement.h"
#include "core/app/home_directory.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace V = keys::Vellum;
namespace W = keys::Windows;

QString joinCommandLine(const QStringList& arguments) {
    QStringList parts;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty())
            parts << argument;
    }
    return parts.join(QLatin1Char(' '));
}

QStringList commandLineFiles(const QStringList& arguments) {
    const QString joined = joinCommandLine(arguments);
    QStringList files;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty())
            files << argument;
    }
    if (files.size() < 2 || QFileInfo(joined).isFile())
        return joined.isEmpty() ? QStringList() : QStringList{joined};
    for (const QString& file : files) {
        if (!QFileInfo(file).isFile())
            return {joined};
    }
    return files;
}

QString recordHandOff(SettingsFile& settings, const QString& commandLine, PathStyle style) {
    if (commandLine.isEmpty())
        return {};
    if (QFileInfo(commandLine).isFile()) {
        settings.writeText(V::Section, V::Hello, pathIdentity(commandLine, style));
        return {};
    }
    settings.writeText(V::Section, V::Hello, QString());
    return commandLine + QStringLiteral(" could not be opened");
}

void resetRunState(SettingsFile& settings, const HomeDirectory& home) {
    storeDefaultArrangement(settings);
    settings.writeInt(V::Section, V::Count, 0);
    settings.eraseSection(keys::Roster::Section);
    settings.eraseSection(keys::Ledger::Section);
    settings.eraseSection(keys::CleanUp::Section);
    QFile library(home.libraryFile());
    if (!library.exists())
        library.open(QIODevice::WriteOnly);
}

QString dateLabelText(const QDate& date, const QLocale& locale) {
    return locale.dayName(date.dayOfWeek(), QLocale::LongFormat) + QStringLiteral(", ") +
           locale.toString(date, QLocale::ShortFormat);
}

Placement firstShowPlacement(const SettingsFile& settings) {
    Placement placement;
    if (settings.readText(W::Section, W::Main).isEmpty())
        return placement;
    if (settings.readText(W::Section, W::Up) == QLatin1String(keys::UpOk))
        return placement;
    placement.maximised = false;
    placement.width = settings.readInt(W::Section, W::Width, 0);
    placement.height = settings.readInt(W::Section, W::Height, 0);
    placement.top = settings.readInt(W::Section, W::Top, 0);
    placement.left = settings.readInt(W::Section, W::Left, 0);
    return placement;
}

void writeExitPlacement(SettingsFile& settings, const WindowSnapshot& window) {
    settings.writeText(W::Section, W::Up,
                       window.maximised ? QString::fromLatin1(keys::UpOk) : QString());
    if (window.minimised)
        return;
    settings.writeInt(W::Section, W::Top, window.top);
    settings.writeInt(W::Section, W::Left, window.left);
    settings.writeInt(W::Section, W::Width, window.width);
    settings.writeInt(W::Section, W::Height, window.height);
}

} // namespace vellum
