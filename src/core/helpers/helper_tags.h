#pragma once

#include "core/editor/start_tag.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vellum {

/// The helper that edits `tag`, by the id of the helper table ("Table", "Document", "Image",
/// "Font", "Link", "Form", "List"); empty for a tag no helper writes. BODY is the Document
/// helper's even with a background; any other tag with a background attribute is the Image
/// helper's; an INPUT is the Form helper's only with a type the helper writes.
QString helperForTag(const StartTag& tag);

/// The attributes (in lower case) that the helper editing `tag` writes in a tag of its name: the
/// ones a rewrite takes from the helper's new tag. Empty for a tag no helper writes.
QStringList helperAttributes(const StartTag& tag);

/// The first start tag of `code`, a helper's output; null when it holds none.
std::optional<StartTag> firstStartTag(const QString& code);

/// The start tag that replaces `original` after the helper `helper` wrote `code` for it: the first
/// tag of `code` that this helper edits (the Image helper's background attribute alone is put in
/// a tag of `original`'s name), rewritten by rewriteStartTag so that the attributes the helper
/// does not write stay as they were. A value the helper leaves for the user to fill in (name="",
/// value="", an href with only its protocol, "hspace= vspace=") keeps what the user wrote in
/// `original`. A cell's TH stays TH; a table centred by its align attribute keeps it while the
/// helper centres it. Empty when `code` has no tag for `original`.
QString updatedStartTag(const StartTag& original, const QString& code, const QString& helper);

} // namespace vellum
