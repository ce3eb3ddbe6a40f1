#include "core/helpers/color_code.h"

#include "core/foundation/enum_text.h"
#include "core/helpers/colour.h"

namespace vellum {

QString colourGenerator(quint32 colour, ColourForm form) {
    const QString hex = colourText(colour);
    if (form == ColourForm::CodeOnly)
        return hex;
    // The attribute names in the order of ColourForm; no form writes nothing.
    static const char* const names[] = {nullptr, "color", "bgcolor", "text",
                                        "link",  "vlink", "alink"};
    const QString name = enumText(names, form);
    return name.isNull() ? QString() : name + QStringLiteral("=\"#") + hex + QLatin1Char('"');
}

} // namespace vellum
