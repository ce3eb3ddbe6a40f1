#pragma once

#include "core/helpers/file_reference.h"

#include <QString>

#include <optional>

namespace vellum {

struct StartTag;

class Insertions;
struct InsertionSlots;

/// The Link helper's choices.
struct LinkOptions {
    enum class Protocol { Http, Ftp, Gopher, News, Telnet, Mailto, None };
    /// How a file on disk is referred to; a path choice not yet made counts as relative.
    using PathMode = vellum::PathMode;

    /// A named anchor instead of a link.
    bool name = false;
    Protocol protocol = Protocol::None;
    /// An empty target, or for mail a subject part.
    bool target = false;
    /// Link to a file chosen on disk (http, ftp and no protocol only).
    bool useFile = false;
    PathMode path = PathMode::Relative;
};

/// What the Link helper inserts: the selection wrapped in `open` and `close`. For a typed address
/// the caret then goes `back` characters before the end of `open` and the tip shows `hint`. When
/// `needsFile`, the user chooses a file first and `open` comes from fileLinkOpen.
struct LinkCode {
    QString open;
    QString close = QStringLiteral("</A>");
    QString hint;
    int back = 2;
    bool needsFile = false;
};

LinkCode linkGenerator(const LinkOptions& options);

/// The opening tag of a link to `file` from the document whose file is `documentPath` (empty for
/// a document never saved), referred to as fileReference says; the protocol goes before relative
/// and bare references. A quotation mark in a path is written %22 so that it cannot end the
/// attribute.
QString fileLinkOpen(const LinkOptions& options, const QString& file, const QString& documentPath,
                     PathStyle style);

/// Puts a link for a typed address into the active document: the selection wrapped, the caret
/// inside the address and the tip shown (the insertion slots carry the tags and the hint).
void insertLink(Insertions& insertions, InsertionSlots& shared, const LinkCode& code);

/// The Link helper's choices that would write `tag`, an A tag: a named anchor for one with a name
/// and no href; else the protocol the href starts with, a target (for mail: a subject part), and
/// for a file URL the file link in the absolute form, its file put in `*file`. Null for any other
/// tag.
std::optional<LinkOptions> linkOptionsFromTag(const StartTag& tag, PathStyle style,
                                              QString* file = nullptr);

/// Whether the href `generated` is only what the helper writes before the user types the address
/// ("http://", "mailto:?subject= ", nothing) for the kind of address `original` is, so that
/// `original` stays as the user completed it.
bool linkHrefKept(const QString& generated, const QString& original);

} // namespace vellum
