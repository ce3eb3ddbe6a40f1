#pragma once

#include "core/foundation/path_style.h"

#include <QString>

namespace vellum {

class SettingsFile;

/// The tab bookkeeping kept in the settings: "Roster" maps a tab index to a document key,
/// "Ledger" a document key to its tab index (-1 once the document is closed).
class TabLedger {
public:
    explicit TabLedger(SettingsFile& settings, PathStyle style = nativePathStyle())
        : m_settings(settings), m_style(style) {}

    /// Records a tab at `index` for the document `key`.
    void add(int index, const QString& key);

    /// The tab index recorded for a document (0 when none is).
    int indexOf(const QString& key) const;

    /// The document key recorded at a tab index (empty when none is).
    QString keyAt(int index) const;

    /// Records that the document `key` at tab `index` closed while `openCount` documents (itself
    /// included) were open: its index becomes -1, and every later tab moves down one place, so
    /// the last place ends empty.
    void close(int index, const QString& key, int openCount);

    /// Records that the document at tab `index` is now known as `newKey`.
    void rename(int index, const QString& oldKey, const QString& newKey);

    /// The settings key under which a document key is recorded. Settings keys match without regard
    /// to case, but POSIX paths differing only in case are different files: there each capital
    /// letter is marked with a "^" ("^" itself doubled) so that such keys stay apart.
    QString ledgerKey(const QString& key) const;

private:
    SettingsFile& m_settings;
    PathStyle m_style;
};

} // namespace vellum
