#include "core/helpers/color_code.h"

#include "core/helpers/colour.h"

namespace vellum {

QString colourGenerator(quint32 colour, ColourForm form) {
    const QString hex = colourText(colour);
    const auto attribute = [&hex](const char* name) {
        return QLatin1String(name) + QStringLiteral("=\"#") + hex + QLatin1Char('"');
    };
    switch (form) {
    case ColourForm::None:
        return {};
    case ColourForm::Font:
        return attribute("color");
    case ColourForm::BgColor:
        return attribute("bgcolor");
    case ColourForm::Text:
        return attribute("text");
    case ColourForm::Link:
        return attribute("link");
    case ColourForm::VLink:
        return attribute("vlink");
    case ColourForm::ALink:
        return attribute("alink");
    case ColourForm::CodeOnly:
        return hex;
    }
    return {};
}

} // namespace vellum
