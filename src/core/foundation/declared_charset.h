#pragma once

#include <QByteArray>

namespace vellum {

/// Only this many bytes at the start of a file are searched for a charset declaration.
inline constexpr qsizetype CharsetScanBytes = 4096;

/// The charset a file declares for itself: the first `<meta charset=...>`, or `<meta
/// http-equiv="Content-Type" content="...; charset=...">`, found in its first CharsetScanBytes
/// bytes read as ASCII (names and attributes in any letter case and order, values quoted with
/// either quote or not at all; comments are skipped). Returns the name as written, without the
/// surrounding white space, or empty when there is no complete declaration there. Whether the
/// name is one that can be read is not judged here.
QByteArray declaredCharset(const QByteArray& bytes);

/// What a declared charset name stands for when a file is read.
enum class CharsetKind {
    Unusable,    ///< unknown, or not ASCII-compatible (the declaration itself could not be read)
    Utf8,        ///< a name of UTF-8
    Windows1252, ///< Windows-1252, or a name read as it (ISO-8859-1, US-ASCII)
    Other,       ///< any other charset that can be read and written
};

/// The kind of charset `name` names. Unless it is Unusable, `canonical`, when given, receives
/// its standard name ("Shift_JIS" for "sjis"), which is the same for every name of one charset.
CharsetKind charsetKind(const QByteArray& name, QByteArray* canonical = nullptr);

} // namespace vellum
