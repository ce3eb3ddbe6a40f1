#include "core/editor/quick_blocks.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

namespace vellum {

namespace Q = keys::Quick;

int quickCount(const SettingsFile& settings, const char* key, int zeroMeans) {
    const int value = settings.readInt(Q::Section, key, 0);
    if (value == 0)
        return zeroMeans;
    return value < 0 ? 0 : value;
}

bool quickTableHasCaption(const SettingsFile& settings) {
    return settings.readText(Q::Section, Q::Caption) == QLatin1String(keys::Sure);
}

QString quickTableText(const SettingsFile& settings) {
    QString border = settings.readText(Q::Section, Q::Border);
    if (border.isEmpty())
        border = QStringLiteral("1");
    const QString caption =
        quickTableHasCaption(settings) ? QStringLiteral("\r\n<CAPTION>  </CAPTION>") : QString();
    const int rows = quickCount(settings, Q::Rows, 2);
    const int cells = quickCount(settings, Q::Cells, 2);
    QString text = QStringLiteral("<TABLE border=") + border + QLatin1Char('>') + caption +
                   QStringLiteral("\r\n");
    for (int r = 0; r < rows; ++r) {
        text += QStringLiteral(" <TR>\r\n");
        for (int c = 0; c < cells; ++c)
            text += QStringLiteral("\t<TD> \r\n");
    }
    text += QStringLiteral("</TABLE>\r\n");
    return text;
}

QString quickListText(const SettingsFile& settings, const QString& open, const QString& item,
                      const QString& close) {
    QString text = open + QStringLiteral("\r\n");
    const int items = quickCount(settings, Q::ListItems, 2);
    for (int i = 0; i < items; ++i)
        text += QLatin1Char('\t') + item + QStringLiteral("\r\n");
    return text + close;
}

QString quickFormText(const SettingsFile& settings) {
    const auto times = [&](const char* key, const QString& piece) {
        return piece.repeated(quickCount(settings, key, 0));
    };
    const QString options = QStringLiteral("\t  <OPTION> \r\n").repeated(3);
    QString text = QStringLiteral("<FORM method=\"POST\" action=\"\">\r\n");
    text += times(Q::Hidden, QStringLiteral("\t<INPUT type=hidden name=\"\" value=\"\"> \r\n"));
    text += times(Q::Edit, QStringLiteral("\t<INPUT type=text name=\"\" value=\"\"> \r\n"));
    text += times(Q::Radio, QStringLiteral("\t<INPUT type=radio name=\"\" value=\"\"> \r\n"));
    text += times(Q::Check, QStringLiteral("\t<INPUT type=checkbox name=\"\" value=\"\"> \r\n"));
    text += times(Q::ListBox, QStringLiteral("\t<SELECT name=\"\">\r\n") + options +
                                  QStringLiteral("\t</SELECT>\r\n"));
    text += times(Q::DropList, QStringLiteral("\t<SELECT name=\"\" size=3>\r\n") + options +
                                   QStringLiteral("\t</SELECT>\r\n"));
    if (settings.readText(Q::Section, Q::TextArea).isEmpty())
        text += QStringLiteral("\t<TEXTAREA name=\"\" cols=35 rows=7></TEXTAREA>\r\n");
    text += QStringLiteral("\t<INPUT type=\"submit\" value=\"\">\r\n");
    text += QStringLiteral("\t<INPUT type=\"reset\" value=\"\">\r\n");
    text += QStringLiteral("</FORM>\r\n");
    return text;
}

} // namespace vellum
