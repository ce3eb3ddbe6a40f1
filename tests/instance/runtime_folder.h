#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace vellum::test {

/// A private runtime folder for one test, as a session's $XDG_RUNTIME_DIR is: mode 0700.
class RuntimeFolder {
public:
    RuntimeFolder() { ::chmod(QFile::encodeName(m_dir.path()).constData(), 0700); }
    QString path() const { return m_dir.path(); }
    /// The instance registry inside it.
    QString registry() const { return m_dir.filePath(QStringLiteral("vellumhtml")); }
    /// The names in the registry that stand for instances.
    QStringList sockets() const {
        return QDir(registry()).entryList({QStringLiteral("i*")}, QDir::System, QDir::Name);
    }

private:
    QTemporaryDir m_dir;
};

/// The permission bits of a file or folder.
inline unsigned modeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace vellum::test
