#pragma once

#include "core/helpers/file_reference.h"

#include <QSize>
#include <QString>

#include <optional>

namespace vellum {

struct StartTag;

/// The Image helper's choices. The defaults are the window's starting values.
struct ImageOptions {
    /// The chosen image file's full path; empty while none is chosen.
    QString file;
    /// The active document's file; empty when it was never saved.
    QString documentPath;
    /// How the file is referred to; a path choice not yet made counts as relative.
    PathMode path = PathMode::Relative;
    /// A bare background attribute instead of an IMG tag.
    bool background = false;
    /// The border as typed; "1" is the browsers' own default and is left out.
    QString border = QStringLiteral("0");
    /// An empty alt attribute for the user to fill in.
    bool alt = false;
    /// The alignment chosen; empty (none chosen) and "default" write no attribute.
    QString align;
    /// Add the picture's height and width, when `measured` knows them.
    bool heightWidth = false;
    /// The chosen picture's pixel size; invalid when it could not be measured.
    QSize measured;
    /// hspace and vspace attributes without a value, for the user to complete.
    bool hspace = false;
    bool vspace = false;
};

/// What the Image helper shows (`sample`) and inserts (`output`). They differ only when the file
/// is referred to by its absolute form, whose sample is the plain path.
struct ImageCode {
    QString sample;
    QString output;
};

/// `<IMG src="..." alt="" border=N align=A height=H width=W hspace= vspace=>` with each attribute
/// only when chosen, in that order, or in background mode `background="..."` alone. Height and
/// width are left out while no file is chosen or its size is unknown: a guessed size would be
/// plainly wrong in the page. A quotation mark in a path is written %22 so that it cannot end the
/// attribute.
ImageCode imageGenerator(const ImageOptions& options, PathStyle style);

/// The Image helper's choices that would write `tag` in the document whose file is `documentPath`:
/// for IMG its picture (from src, as readFileReference reads it), alt, border, alignment, the size
/// it states and the spacing it asks for; for any other tag with a background attribute, the
/// background mode and that picture. Null for a tag with neither.
std::optional<ImageOptions> imageOptionsFromTag(const StartTag& tag, const QString& documentPath,
                                                PathStyle style);

} // namespace vellum
