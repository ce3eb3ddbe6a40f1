#pragma once

#include <QString>

namespace vellum {

class HomeDirectory;

/// Where the files shipped with the program in `programDir` are: `share/vellumhtml` inside that
/// folder (a build folder or a portable copy), else `share/vellumhtml` of the install prefix, the
/// program being in `<prefix>/bin`. Empty when neither is there.
QString shippedDataDir(const QString& programDir);

/// Whether the program in `programDir` is installed rather than a portable copy: its folder is a
/// `bin` folder, or its shipped files are under the install prefix instead of inside its folder.
bool isInstalledProgram(const QString& programDir);

/// Which working folders a start found missing (and made).
struct FreshFolders {
    bool library = false;
    bool templates = false;
};

/// The working folders of `home` that do not exist yet.
FreshFolders missingFolders(const HomeDirectory& home);

/// Copies what is shipped with the program (`shippedDir` holds `library/` and `template/`) into
/// the home: the special-character table whenever the home has none, the starter tag lists and
/// templates only into folders made at this start. A file the home has already is never replaced.
/// Returns how many files were copied.
int installShippedFiles(const QString& shippedDir, const HomeDirectory& home, FreshFolders fresh);

} // namespace vellum
