#include "core/app/preferences.h"

#include "core/foundation/enum_text.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QFileInfo>

namespace vellum {

namespace V = keys::Vellum;
namespace W = keys::Windows;
namespace Q = keys::Quick;

namespace {

const QString On = QStringLiteral("t");

QString shownPath(const QString& path, PathStyle style) {
    return style == PathStyle::Windows ? upperAscii(path) : path;
}

QString flag(bool on) {
    return on ? On : QString();
}

} // namespace

Preferences loadPreferences(const SettingsFile& settings, PathStyle style) {
    Preferences p;
    p.tabWidth = QString::number(settings.readInt(V::Section, V::TabWidth, 5));
    p.removeSpaces = settings.readText(V::Section, V::Spaces).isEmpty();
    p.htmlExtension = settings.readText(V::Section, V::DefExt) == QLatin1String("html");
    p.rememberMain = !settings.readText(W::Section, W::Main).isEmpty();
    p.rememberHelpers = !settings.readText(W::Section, W::Help).isEmpty();
    p.autoIndent = !settings.readText(V::Section, V::Ai).isEmpty();
    p.returnIcon = settings.readText(V::Section, V::Back).isEmpty();
    p.browser = shownPath(settings.readText(V::Section, V::Browser), style);
    p.helper = shownPath(settings.readText(V::Section, V::Helper), style);
    if (settings.readInt(Q::Section, Q::Rows, 0) == 0)
        return p;
    const auto text = [&settings](const char* key) { return settings.readText(Q::Section, key); };
    p.border = text(Q::Border);
    p.caption = text(Q::Caption) == QLatin1String(keys::Sure);
    p.rows = text(Q::Rows);
    p.cells = text(Q::Cells);
    p.listItems = text(Q::ListItems);
    p.recentFiles = text(Q::RecentCount);
    p.hidden = text(Q::Hidden);
    p.textFields = text(Q::Edit);
    p.radios = text(Q::Radio);
    p.checkBoxes = text(Q::Check);
    p.listBoxes = text(Q::ListBox);
    p.dropLists = text(Q::DropList);
    return p;
}

QString spunNumber(const QString& shown, bool up, int lowest, int highest) {
    const int number = shown.trimmed().toInt();
    if (up)
        return QString::number(number < highest ? number + 1 : number);
    return QString::number(number > lowest ? number - 1 : number);
}

QString preferencesMessage(PreferencesProblem problem) {
    // In the order of PreferencesProblem; no problem, no message.
    static const char* const messages[] = {nullptr,
                                           "There is a problem with your browser path or filename.",
                                           "There is a problem with your helper path or filename."};
    return enumText(messages, problem);
}

PreferencesProblem storePreferences(SettingsFile& settings, const Preferences& p, PathStyle style) {
    std::vector<SettingsWrite> writes;
    const auto put = [&writes](const char* section, const char* key, const QString& value) {
        writes.push_back({QString::fromLatin1(section), QString::fromLatin1(key), value});
    };
    if (p.browser != settings.readText(V::Section, V::Browser)) {
        if (!p.browser.isEmpty() && !QFileInfo(p.browser).isFile())
            return PreferencesProblem::Browser;
        put(V::Section, V::Browser, p.browser);
    }
    // A helper path that names no file stops OK with the dialog open, after the browser change:
    // the rest waits for an OK that passes, since only that OK applies it to the open documents
    // (the tab width) and a Cancel afterwards must leave the run as it was.
    const QString helper = shownPath(p.helper, style);
    const bool helperChanged = helper != shownPath(settings.readText(V::Section, V::Helper), style);
    if (helperChanged && !helper.isEmpty() && !QFileInfo(helper).isFile()) {
        if (!writes.empty())
            settings.writeTexts(writes);
        return PreferencesProblem::Helper;
    }
    put(V::Section, V::TabWidth, p.tabWidth);
    put(V::Section, V::Spaces, flag(!p.removeSpaces));
    put(V::Section, V::DefExt, p.htmlExtension ? QStringLiteral("html") : QString());
    put(W::Section, W::Main, flag(p.rememberMain));
    put(W::Section, W::Help, flag(p.rememberHelpers));
    put(V::Section, V::Ai, flag(p.autoIndent));
    put(V::Section, V::Back, flag(!p.returnIcon));
    put(Q::Section, Q::Border, p.border);
    put(Q::Section, Q::Caption, p.caption ? QString::fromLatin1(keys::Sure) : QString());
    // A stored number of rows is what makes the next dialog show the stored values.
    put(Q::Section, Q::Rows, p.rows.toInt() == 0 ? QStringLiteral("1") : p.rows);
    put(Q::Section, Q::Cells, p.cells);
    put(Q::Section, Q::ListItems, p.listItems);
    put(Q::Section, Q::RecentCount, p.recentFiles);
    put(Q::Section, Q::Hidden, p.hidden);
    put(Q::Section, Q::Edit, p.textFields);
    put(Q::Section, Q::Radio, p.radios);
    put(Q::Section, Q::Check, p.checkBoxes);
    put(Q::Section, Q::ListBox, p.listBoxes);
    put(Q::Section, Q::DropList, p.dropLists);
    put(Q::Section, Q::TextArea, flag(!p.textArea));

    if (helperChanged) {
        put(V::Section, V::Helper, helper);
        put(V::Section, V::HelpName, QString());
    }
    settings.writeTexts(writes);
    return PreferencesProblem::None;
}

} // namespace vellum
