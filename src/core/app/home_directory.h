#pragma once

#include <QString>
#include <optional>

namespace vellum {

/// Where the settings file and the working folders live, and the names in it.
class HomeDirectory {
public:
    /// Picks the home: `envHome` ($VELLUMHTML_HOME) when set; else the program's own directory
    /// when it is a portable copy: not installed (see isInstalledProgram), owned by this user,
    /// writable by this user and by no one else; else `xdgDataHome`/vellumhtml, where an empty
    /// `xdgDataHome` means `userHome`/.local/share.
    static HomeDirectory resolve(const QString& envHome, const QString& programDir,
                                 const QString& xdgDataHome, const QString& userHome);

    /// The home chosen from this process's environment and program directory.
    static HomeDirectory fromEnvironment(const QString& programDir);

    explicit HomeDirectory(QString root);

    const QString& root() const { return m_root; }
    QString settingsPath() const; ///< vellumh.ini
    QString dataDir() const;      ///< preview files of untitled documents
    QString templateDir() const;  ///< document templates
    QString libraryDir() const;   ///< the tag library
    QString libraryFile() const;  ///< library/library.dat
    QString recoveryDir() const;  ///< modified documents kept for the next start after a crash

    /// Creates the home folder itself when missing. Returns an error message naming it on failure.
    std::optional<QString> createHome() const;

    /// Creates `data`, `template` and `library`, in that order, each only when missing. Returns an
    /// error message naming the first folder that could not be created.
    std::optional<QString> createWorkingFolders() const;

private:
    QString file(const char* name) const;
    static std::optional<QString> createFolder(const QString& dir);
    QString m_root;
};

} // namespace vellum
