#include "core/helpers/helper_placement.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <algorithm>

namespace vellum {

namespace W = keys::Windows;

QPoint helperPosition(const SettingsFile& settings, const HelperTraits& traits, const QRect& main,
                      int width) {
    const int defaultTop = main.y() + traits.topOffset;
    const int defaultLeft = main.x() + main.width() - width - HelperRightInset;
    if (settings.readText(W::Section, W::Help).isEmpty())
        return {defaultLeft, defaultTop};
    const int storedTop = settings.readInt(W::Section, traits.topKey, 0);
    const int storedLeft = settings.readInt(W::Section, traits.leftKey, 0);
    // A stored 0 means "never placed" except for the helper that takes its keys as they are.
    const bool asRead = traits.storedZeroCounts;
    return {(asRead || storedLeft != 0) ? storedLeft : defaultLeft,
            (asRead || storedTop != 0) ? storedTop : defaultTop};
}

QPoint centredPosition(const QSize& screen, const QSize& window) {
    return {std::max(0, (screen.width() - window.width()) / 2),
            std::max(0, (screen.height() - window.height()) / 2)};
}

QPoint lowerRightPosition(const QRect& main, const QSize& window, const QRect& screen) {
    constexpr int AboveBottom = 48;
    const int x = main.right() - HelperRightInset - window.width();
    const int y = main.bottom() - AboveBottom - window.height();
    return {std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - window.width())),
            std::clamp(y, screen.top(), std::max(screen.top(), screen.bottom() - window.height()))};
}

void writeHelperPosition(SettingsFile& settings, const HelperTraits& traits, const QPoint& at) {
    settings.writeTexts({{W::Section, traits.topKey, QString::number(at.y())},
                         {W::Section, traits.leftKey, QString::number(at.x())}});
}

} // namespace vellum
