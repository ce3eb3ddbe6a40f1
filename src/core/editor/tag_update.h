#pragma once

#include "core/editor/start_tag.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vellum {

/// What a helper that edits a start tag knows of the attributes it writes on it.
struct TagVocabulary {
    /// Every attribute (lower case) the helper may write on the tag in its present mode: the
    /// edited tag's own go, and the helper's new ones come in their place.
    QStringList written;
    /// Those it writes as a start for the user to complete (an empty alt, an address of only its
    /// protocol): an edited tag keeps its own value when that begins with the helper's.
    QStringList completedByUser;
};

/// A vocabulary from two lists of names separated by spaces.
TagVocabulary vocabularyOf(const char* written, const char* completedByUser = "");

/// The start tag a helper's code stands for when it edits a tag named `name`: the first start tag
/// of `code` of that name, else its first start tag (a helper may write another first, as CENTER
/// around a table). Null when `code` holds no start tag.
std::optional<StartTag> helperTagIn(const QString& code, const QString& name);

/// True while `document` holds exactly `tag`'s text at `tag`'s place.
bool stillHolds(const QString& document, const StartTag& tag);

/// The new text of `original` after a helper wrote `generated` for it: as rewriteStartTag, with
/// the values the user completed kept (see TagVocabulary).
QString rewriteKeepingUserValues(const StartTag& original, const StartTag& generated,
                                 const TagVocabulary& vocabulary);

} // namespace vellum
