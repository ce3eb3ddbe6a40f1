#include "core/app/shipped_files.h"

#include "core/app/home_directory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace {

int copyMissing(const QString& from, const QString& to, const QStringList& only = {}) {
    int copied = 0;
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files)) {
        if (!only.isEmpty() && !only.contains(name))
            continue;
        const QString target = QDir(to).filePath(name);
        if (!QFileInfo::exists(target) && QFile::copy(source.filePath(name), target)) {
            // A copy of a read-only install is the user's own file to change.
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
            ++copied;
        }
    }
    return copied;
}

const QString ShippedFolder = QStringLiteral("share/vellumhtml");

QString besideProgram(const QString& programDir) {
    return QDir(programDir).filePath(ShippedFolder);
}

QString underPrefix(const QString& programDir) {
    return QDir::cleanPath(programDir + QStringLiteral("/../") + ShippedFolder);
}

} // namespace

QString shippedDataDir(const QString& programDir) {
    if (programDir.isEmpty())
        return {};
    for (const QString& candidate : {besideProgram(programDir), underPrefix(programDir)}) {
        if (QFileInfo(candidate).isDir())
            return QDir::cleanPath(candidate);
    }
    return {};
}

bool isInstalledProgram(const QString& programDir) {
    // A bare program in a bin folder counts as installed as well: that folder is shared with other
    // programs (/usr/local/bin, ~/bin), never a place for a settings file and working folders.
    if (QDir(programDir).dirName() == QLatin1String("bin"))
        return true;
    return !QFileInfo(besideProgram(programDir)).isDir() &&
           QFileInfo(underPrefix(programDir)).isDir();
}

FreshFolders missingFolders(const HomeDirectory& home) {
    return {!QFileInfo::exists(home.libraryDir()), !QFileInfo::exists(home.templateDir())};
}

int installShippedFiles(const QString& shippedDir, const HomeDirectory& home, FreshFolders fresh) {
    if (shippedDir.isEmpty() || !QFileInfo(shippedDir).isDir())
        return 0;
    const QString library = QDir(shippedDir).filePath(QStringLiteral("library"));
    int copied = copyMissing(library, home.libraryDir(), {QStringLiteral("chars")});
    if (fresh.library)
        copied += copyMissing(library, home.libraryDir());
    if (fresh.templates)
        copied +=
            copyMissing(QDir(shippedDir).filePath(QStringLiteral("template")), home.templateDir());
    return copied;
}

} // namespace vellum
