#pragma once

#include <QString>

namespace vellum {

/// How file paths behave. `Windows`: case-insensitive names, backslashes and drive letters, paths
/// used as identities upper-cased. `Posix`: case-sensitive names, so identities keep their case
/// (upper-casing would name files that do not exist) and are made absolute.
enum class PathStyle { Windows, Posix };

/// The style of the system the program runs on.
PathStyle nativePathStyle();

/// The text with the ASCII letters a to z made capital and nothing else changed.
QString upperAscii(const QString& text);

/// The form of an existing file's path used as its identity (hand-off record, document key):
/// upper-cased on Windows; the absolute, cleaned path with its case kept on POSIX.
QString pathIdentity(const QString& path, PathStyle style);

/// The directory part of a program path, cut after its last separator (backslash or colon on
/// Windows, slash on POSIX); the separator is kept. Empty when the path has none.
QString directoryPart(const QString& path, PathStyle style);

} // namespace vellum
