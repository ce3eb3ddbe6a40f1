#include "core/helpers/font_code.h"

#include "core/editor/start_tag.h"
#include "core/helpers/color_code.h"
#include "core/helpers/colour.h"

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

std::optional<FontOptions> fontOptionsFromTag(const StartTag& tag) {
    if (tag.name != QLatin1String("FONT"))
        return std::nullopt;
    FontOptions options;
    if (const std::optional<quint32> colour = colourFromText(tag.value(u"color"))) {
        options.noColor = false;
        options.colour = *colour;
    }
    // A signed size is relative to the page's, which the helper does not write.
    const QString size = tag.value(u"size");
    if (size.size() == 1 && size[0] >= u'1' && size[0] <= u'7')
        options.size = size[0].unicode() - u'0';
    return options;
}

} // namespace vellum
