#pragma once

#include <QPoint>

namespace vellum {

class SettingsFile;

/// The option boxes of the find windows, as a search reads them and as the settings keep them
/// between openings.
struct StoredSearchOptions {
    bool wholeWord = false;
    bool matchCase = false;
    bool upward = false;
    /// Kept in the settings by the Find & Replace window only.
    bool fromTop = false;
};

/// The options as stored: a box counts as ticked when its key holds "t".
StoredSearchOptions readSearchOptions(const SettingsFile& settings);

/// Stores the options ("t" for a ticked box, empty otherwise); the check-from-top box only when
/// `withFromTop` (the Find Again window leaves it as the Find & Replace window wrote it).
void writeSearchOptions(SettingsFile& settings, const StoredSearchOptions& options,
                        bool withFromTop);

/// Where the Find Again window opens: where it was closed, or 25 pixels below the main window's
/// top edge (`mainTop`) while no top is stored (a stored 0 counts as none), at the stored left
/// (0 when none is).
QPoint findAgainPosition(const SettingsFile& settings, int mainTop);

/// Records where the Find Again window was when it closed.
void writeFindAgainPosition(SettingsFile& settings, const QPoint& at);

} // namespace vellum
