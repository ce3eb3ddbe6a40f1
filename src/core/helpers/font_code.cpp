#include "core/helpers/font_code.h"

#include "core/helpers/color_code.h"

namespace vellum {

FontCode fontGenerator(const FontOptions& options) {
    QString open = QStringLiteral("<FONT");
    if (!options.noColor)
        open += QLatin1Char(' ') + colourGenerator(options.colour, ColourForm::Font);
    if (options.size > 0)
        open += QStringLiteral(" size=") + QString::number(options.size);
    open += QLatin1Char('>');
    FontCode code;
    code.open = open;
    code.close = QStringLiteral("</FONT>");
    code.sample = code.open + QLatin1Char(' ') + code.close;
    return code;
}

} // namespace vellum
