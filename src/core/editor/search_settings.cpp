#include "core/editor/search_settings.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

namespace vellum {

namespace S = keys::Search;
namespace W = keys::Windows;

namespace {

constexpr int FindAgainBelowMainTop = 25;

QString marker(bool ticked) {
    return ticked ? QString::fromLatin1(keys::Ticked) : QString();
}

} // namespace

StoredSearchOptions readSearchOptions(const SettingsFile& settings) {
    const auto ticked = [&settings](const char* key) {
        return settings.readText(S::Section, key) == QLatin1String(keys::Ticked);
    };
    StoredSearchOptions options;
    options.wholeWord = ticked(S::WholeWord);
    options.matchCase = ticked(S::MatchCase);
    options.upward = ticked(S::Upward);
    options.fromTop = ticked(S::FromTop);
    return options;
}

void writeSearchOptions(SettingsFile& settings, const StoredSearchOptions& options,
                        bool withFromTop) {
    std::vector<SettingsWrite> writes{{S::Section, S::WholeWord, marker(options.wholeWord)},
                                      {S::Section, S::MatchCase, marker(options.matchCase)}};
    if (withFromTop)
        writes.push_back({S::Section, S::FromTop, marker(options.fromTop)});
    writes.push_back({S::Section, S::Upward, marker(options.upward)});
    settings.writeTexts(writes);
}

QPoint findAgainPosition(const SettingsFile& settings, int mainTop) {
    const int top = settings.readInt(W::Section, W::FindAgainTop, 0);
    return {settings.readInt(W::Section, W::FindAgainLeft, 0),
            top != 0 ? top : mainTop + FindAgainBelowMainTop};
}

void writeFindAgainPosition(SettingsFile& settings, const QPoint& at) {
    settings.writeTexts({{W::Section, W::FindAgainTop, QString::number(at.y())},
                         {W::Section, W::FindAgainLeft, QString::number(at.x())}});
}

} // namespace vellum
