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

} // namespace

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
