#include "core/app/recent_files.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFileInfo>

namespace vellum {

namespace {

const QString Oldies = QString::fromLatin1(keys::Oldies::Section);
// Names no file, so the next showing of the menu drops it.
const QString Placeholder = QStringLiteral("VellumHTML");

QString slot(int number) {
    return QString::number(number);
}

} // namespace

QString recentFile(const SettingsFile& settings, int number) {
    return settings.readText(Oldies, slot(number));
}

void UpdateOldies(SettingsFile& settings, const QString& path, PathStyle style) {
    const QString entry = pathIdentity(path, style);
    QString carry = entry;
    std::vector<SettingsWrite> writes;
    for (int n = 1; n <= RecentSlots; ++n) {
        QString old = recentFile(settings, n);
        if (old == entry)
            old = Placeholder;
        writes.push_back({Oldies, slot(n), carry});
        carry = old;
    }
    // One rewrite of the file for the whole move.
    settings.writeTexts(writes);
}

QStringList recentFilesToShow(SettingsFile& settings) {
    int limit = settings.readInt(QString::fromLatin1(keys::Quick::Section),
                                 QString::fromLatin1(keys::Quick::RecentCount), 0);
    if (limit == 0)
        limit = 9;
    QStringList shown;
    if (limit <= 0)
        return shown;
    limit = std::min(limit, RecentSlots);
    QStringList stored;
    for (int n = 1; n <= limit + 1; ++n)
        stored << recentFile(settings, n);
    bool dropped = false;
    for (int number = 1; number <= limit;) {
        const QString entry = stored[number - 1];
        if (entry.isEmpty())
            break;
        // Only files are offered: an entry that is now a folder opens nothing, and the placeholder
        // names no file even where the working folder holds something of that name.
        if (entry == Placeholder || !QFileInfo(entry).isFile()) {
            // The entries below move up one place, as far as the one after the last shown.
            stored.removeAt(number - 1);
            stored.insert(limit, QString());
            dropped = true;
            continue;
        }
        shown << entry;
        ++number;
    }
    if (dropped) {
        std::vector<SettingsWrite> writes;
        for (int n = 1; n <= limit + 1; ++n)
            writes.push_back({Oldies, slot(n), stored[n - 1]});
        settings.writeTexts(writes);
    }
    return shown;
}

QString recentCaption(int number, const QString& path) {
    QString shown = path;
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    if (number <= 9)
        return QStringLiteral("  &%1 %2").arg(number).arg(shown);
    return QStringLiteral("%1 %2").arg(number).arg(shown);
}

} // namespace vellum
