#include "core/app/home_directory.h"

#include "core/app/shipped_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace vellum {

namespace {

// The program's folder holds the settings file and the working folders only when it is the
// user's own copy: never an installed program's folder (run with sudo, /usr/bin would be filled),
// and never a folder that someone else may write to, where another user could plant or change
// what the program reads as its own.
bool isPortableCopy(const QString& programDir) {
    struct stat info {};
    if (programDir.isEmpty() || ::stat(QFile::encodeName(programDir).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0 && QFileInfo(programDir).isWritable() &&
           !isInstalledProgram(programDir);
}

} // namespace

HomeDirectory::HomeDirectory(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

HomeDirectory HomeDirectory::resolve(const QString& envHome, const QString& programDir,
                                     const QString& xdgDataHome, const QString& userHome) {
    if (!envHome.isEmpty())
        return HomeDirectory(envHome);
    if (isPortableCopy(programDir))
        return HomeDirectory(programDir);
    const QString dataHome =
        xdgDataHome.isEmpty() ? userHome + QStringLiteral("/.local/share") : xdgDataHome;
    return HomeDirectory(dataHome + QStringLiteral("/vellumhtml"));
}

HomeDirectory HomeDirectory::fromEnvironment(const QString& programDir) {
    return resolve(qEnvironmentVariable("VELLUMHTML_HOME"), programDir,
                   qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
}

QString HomeDirectory::file(const char* name) const {
    return m_root + QLatin1Char('/') + QLatin1String(name);
}

QString HomeDirectory::settingsPath() const {
    return file("vellumh.ini");
}
QString HomeDirectory::dataDir() const {
    return file("data");
}
QString HomeDirectory::templateDir() const {
    return file("template");
}
QString HomeDirectory::libraryDir() const {
    return file("library");
}
QString HomeDirectory::libraryFile() const {
    return file("library/library.dat");
}
QString HomeDirectory::recoveryDir() const {
    return file("recovery");
}

std::optional<QString> HomeDirectory::createFolder(const QString& dir) {
    if (QFileInfo(dir).isDir())
        return std::nullopt;
    errno = 0;
    if (QDir().mkpath(dir) && QFileInfo(dir).isDir())
        return std::nullopt;
    const QString reason = errno ? QString::fromLocal8Bit(std::strerror(errno))
                                 : QStringLiteral("a file of that name is in the way");
    return QStringLiteral("The folder %1 could not be created: %2.")
        .arg(QDir::toNativeSeparators(dir), reason);
}

std::optional<QString> HomeDirectory::createHome() const {
    return createFolder(m_root);
}

std::optional<QString> HomeDirectory::createWorkingFolders() const {
    for (const QString& dir : {dataDir(), templateDir(), libraryDir()}) {
        if (std::optional<QString> failure = createFolder(dir))
            return failure;
    }
    return std::nullopt;
}

} // namespace vellum
