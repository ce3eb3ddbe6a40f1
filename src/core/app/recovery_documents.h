#pragma once

#include "core/app/recovery_file.h"
#include "core/foundation/path_style.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace vellum {

class Document;
class Prompter;
class RecoveryClaim;
class RecoveryFolder;
class SettingsFile;
class Workspace;

/// One thing to do in the recovery folder: write a document's text to its file, or remove it.
struct RecoveryJob {
    int serial = 0;
    QString file;
    /// The record to write; none: remove the file. Its text is the document's as the text control
    /// keeps it for searching, where a line break may be one paragraph separator (U+2029).
    std::optional<RecoveryRecord> record;
};

/// Carries a job out: a write turns each paragraph separator of the text into CR LF and writes
/// the file atomically. Safe on any thread. False with `error` set on failure; a file that is gone
/// already counts as removed.
bool runRecoveryJob(const RecoveryJob& job, QString& error);

/// After a change, the next snapshot waits for a pause of `debounce` milliseconds, but never more
/// than this many times `debounce` after the first change not yet written.
inline constexpr int RecoveryMaxWaitFactor = 10;

/// Milliseconds from now until the documents' snapshot is due (0: now), given the time since the
/// first change not yet written and since the last change.
qint64 recoveryDueIn(qint64 sinceFirstChange, qint64 sinceLastChange, qint64 debounce);

/// Which open documents have recovery files in this instance's folder and which changed since
/// their last snapshot: the rules of when a document's file is written and when it goes. The jobs
/// it hands out are carried out in the order given, each by runRecoveryJob.
class RecoveryBook {
public:
    explicit RecoveryBook(RecoveryFolder& folder);

    /// The document's text changed.
    void changed(const Document& document);
    /// True while some document changed since its last snapshot.
    bool hasChanges() const;

    /// Jobs for every document that changed: a snapshot of its text, taken now, when it is
    /// modified; the removal of its file when it is not (saved, or back as it was read). A
    /// document whose last write has not been carried out yet stays changed: its snapshot waits
    /// for finished(). Claims the folder before the first write; when that fails, `error` is set
    /// and nothing is written.
    std::vector<RecoveryJob> takeDue(const Workspace& workspace, const QDateTime& now,
                                     std::optional<QString>& error);
    /// A job for the document numbered `serial` has been carried out (or has failed), whichever
    /// it was: a write, a removal, or one that replaced a write still waiting. The document is no
    /// longer being written, so its next change is snapshotted again. Returns hasChanges().
    bool finished(int serial);
    /// Removals of the files of documents that are no longer modified or no longer open.
    std::vector<RecoveryJob> reconcile(const Workspace& workspace);
    /// The document is closing: its file goes, when it has one.
    std::optional<RecoveryJob> closed(const Document& document);
    /// Removals of every file (recovery was turned off); the documents count as changed again.
    std::vector<RecoveryJob> dropAll();
    /// The file of entry `index` of `claim` becomes `document`'s own, moved into this instance's
    /// folder; the document counts as changed so that its file is written again under its name
    /// here. Returns an error message on failure.
    std::optional<QString> adopt(const Document& document, RecoveryClaim& claim, int index);

private:
    struct Slot {
        int serial = 0;
        bool hasFile = false;
        bool changed = false;
        bool writing = false;
    };
    Slot& slotOf(const Document& document);
    RecoveryJob removal(const Slot& slot) const;

    RecoveryFolder& m_folder;
    QHash<const Document*, Slot> m_slots;
    int m_lastSerial = 0;
};

/// Opens a recovered document: a new window named after the original file (so that Save writes
/// there) holding the recovered text in the file's format, modified. An untitled document comes
/// back as a new untitled one; so does a file that is open already, after a message saying so.
Document& reopenRecovered(Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                          const RecoveryRecord& record, PathStyle style = nativePathStyle());

} // namespace vellum
