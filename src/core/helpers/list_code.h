#pragma once

#include "core/helpers/scratch_code.h"

#include <QString>

#include <optional>
#include <set>

namespace vellum {

struct StartTag;

/// The list helper's choices. The defaults are the window's starting values.
struct ListOptions {
    /// A whole list, or its items only (to add to a list already in the document).
    enum class Mode { List, Item };
    enum class Kind { None, Bullet, Number, Definition };
    /// The style buttons, in the order they are examined: when several are selected, the last
    /// of them wins. The bullet styles come twice, once for each mode.
    enum class Style {
        Circle,
        Circle2,
        Disc,
        Disc2,
        Square,
        Square2,
        Arabic,
        UpperRoman,
        LowerRoman,
        UpperLetter,
        LowerLetter
    };

    Mode mode = Mode::List;
    /// Only a whole list uses it; None inserts nothing.
    Kind kind = Kind::Bullet;
    std::set<Style> styles;
    /// Definition terms (DT) instead of list items.
    bool definitionItem = false;
    /// Items to write; at least one always is.
    int count = 2;
    /// Tabs before each item; the list tags get one fewer.
    int indent = 0;
    /// The list tag carries " start=" and `start` only while the start box is on show.
    bool startShown = false;
    QString start = QStringLiteral("1");
};

/// A list to insert, as ScratchCode describes.
struct ListCode : ScratchCode {};

/// The list helper's code for `options`: the items (no line break after the last one), wrapped
/// in the list tags in List mode, and the caret requests that leave the caret after the first
/// item tag.
ListCode listGenerator(const ListOptions& options);

/// Puts a list code into the active document, as ListCode describes: the text goes through the
/// scratch editor `scratch`. Nothing happens without a document or when the code inserts
/// nothing.
void insertList(Insertions& insertions, TextControl& scratch, const ListCode& code);

/// The list helper's choices that would write `tag`: List mode for UL, OL and DL with the start
/// number it shows; Item mode for LI and DT with the style its type names (the item panel's
/// bullets; numbered styles make it a numbered item). Null for any other tag.
std::optional<ListOptions> listOptionsFromTag(const StartTag& tag);

} // namespace vellum
