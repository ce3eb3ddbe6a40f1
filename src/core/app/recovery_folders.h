#pragma once

#include "core/app/recovery_file.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

class QLockFile;

namespace vellum {

/// The recovery folder (`recovery` in the home) holds one folder per running instance, named by
/// the instance's id, beside a lock file `<id>.lock` that the instance holds for its whole life.
/// A folder whose lock can be taken belongs to an instance that has ended; only such folders are
/// offered to the user, so that no instance takes another running instance's files.
///
/// What is in the recovery folder may have been planted by someone else. The recovery folder is
/// used only when it is a real folder (not a link) of the user's own that no one else may write to,
/// and an instance's folder only when it is a real folder of the user's own with mode 700. Links
/// are never followed, and only the files the program writes (recovery files, their temporary
/// files and the lock files) are ever removed.

/// This instance's own folder in the recovery folder. The lock is taken before the folder is made,
/// so that no other instance ever sees the folder unguarded.
class RecoveryFolder {
public:
    /// `root`: the recovery folder. Nothing is made until claim().
    explicit RecoveryFolder(QString root);
    /// Gives the lock up. The folder is removed when nothing is left in it; files left in it are
    /// offered by the next start.
    ~RecoveryFolder();
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    /// Makes the recovery folder when missing, takes the lock and makes this instance's folder
    /// (both readable by the owner only), once; later calls return at once. A folder there already
    /// that is a link, another user's or open to others is not used. Returns an error message
    /// naming the folder on failure.
    std::optional<QString> claim();
    bool isClaimed() const { return m_claimed; }
    /// The instance's id: its folder's name.
    const QString& id() const { return m_id; }
    const QString& root() const { return m_root; }
    QString path() const;
    /// The recovery file of the document numbered `serial`.
    QString filePath(int serial) const;

private:
    QString m_root;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    bool m_claimed = false;
};

/// One document that can be recovered: its file in an ended instance's folder and what it holds.
struct Recoverable {
    QString file;
    RecoveryRecord record;
};

/// The folders of ended instances, locked while this object lives so that no other start offers
/// them at the same time.
class RecoveryClaim {
public:
    /// Takes every folder in `root` whose lock can be taken, but the folder named `ownId`, and
    /// reads the complete recovery files in them (oldest first). A file cut short or damaged, or a
    /// link, is not offered. A folder that is a link, another user's or not of mode 700 is passed
    /// over, and so is everything when `root` is not fit to use; each is reported on stderr. Lock
    /// files left without a folder are removed.
    static RecoveryClaim gather(const QString& root, const QString& ownId);

    RecoveryClaim() = default;
    RecoveryClaim(RecoveryClaim&&) noexcept;
    RecoveryClaim& operator=(RecoveryClaim&&) noexcept;
    /// Gives the locks up and leaves the folders as they are, to be offered again.
    ~RecoveryClaim();

    const std::vector<Recoverable>& entries() const { return m_entries; }
    /// The folders taken, by path.
    QStringList folders() const;

    /// Moves the file of entry `index` to `target` (in this instance's folder), so that the
    /// document it holds stays recoverable while it is open again. Returns an error message on
    /// failure (the file stays where it was).
    std::optional<QString> adopt(int index, const QString& target);
    /// Removes what the program wrote into the taken folders (the entries not adopted, files cut
    /// short and temporary files), the folders and their locks. Any other file is left, and so is
    /// its folder, which is reported on stderr. Returns false when something was left.
    bool discard();

private:
    struct Taken {
        QString folder;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Taken> m_taken;
    std::vector<Recoverable> m_entries;
};

} // namespace vellum
