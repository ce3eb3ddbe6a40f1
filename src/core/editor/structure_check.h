#pragma once

#include "core/editor/page_check.h"

namespace vellum {

/// The errors and warnings HTML Tidy finds in `text` (CR LF line breaks), each placed where Tidy
/// places it. The HTML version checked against follows the page's doctype. Only reads the text.
QList<Finding> structureFindings(const QString& text);

} // namespace vellum
