#pragma once

#include "core/foundation/path_style.h"

#include <QString>
#include <QStringList>

namespace vellum {

class SettingsFile;

/// The most files the list keeps.
inline constexpr int RecentSlots = 15;

/// Records that `path` was just opened or saved under a new name: it goes to the top of the list,
/// every other entry moves down one place, its own earlier entry becomes a placeholder (which the
/// next showing of the menu drops) and the last entry falls off. On Windows paths are kept in
/// upper case; on POSIX as they are.
void UpdateOldies(SettingsFile& settings, const QString& path, PathStyle style);

/// The entries the Recent Files menu shows, newest first: at most "Quick"/"qrf" of them (9 when
/// unset). An entry that no longer names an existing file (gone, or a folder now, or the
/// placeholder) is dropped from the stored list on the way and the entries below it move up.
QStringList recentFilesToShow(SettingsFile& settings);

/// The path in slot `number` (from 1), read now.
QString recentFile(const SettingsFile& settings, int number);

/// The menu caption of entry `number` (from 1): "  &N PATH" for 1 to 9, "N PATH" after; an "&" of
/// the path shows as itself.
QString recentCaption(int number, const QString& path);

} // namespace vellum
