#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace vellum {

class SettingsFile;

/// What differs from helper window to helper window in the frame they share. Built by name:
/// `HelperTraits("Table Helper", "tabt", "tabl").below(98).topic(11).zeroCounts()`.
struct HelperTraits {
    const char* caption;
    const char* topKey;
    const char* leftKey;
    /// The default top is the main window's top plus this.
    int topOffset = 0;
    int helpTopic = 0;
    /// Stored positions are used as read, 0 included (else a stored 0 means the default).
    bool storedZeroCounts = false;
    /// Opens centred on the screen whatever is stored.
    bool centred = false;
    /// Rolling keeps the focus in the helper instead of handing it to the main window.
    bool keepsFocusOnRoll = false;
    /// Caption of the insert button.
    const char* insertCaption = "Insert code";
    /// Component name of the help button.
    const char* helpButton = "SpeedButton1";

    constexpr HelperTraits(const char* caption, const char* topKey, const char* leftKey)
        : caption(caption), topKey(topKey), leftKey(leftKey) {}
    constexpr HelperTraits below(int offset) const {
        return with(&HelperTraits::topOffset, offset);
    }
    constexpr HelperTraits topic(int number) const {
        return with(&HelperTraits::helpTopic, number);
    }
    constexpr HelperTraits zeroCounts() const {
        return with(&HelperTraits::storedZeroCounts, true);
    }
    constexpr HelperTraits centredOnScreen() const { return with(&HelperTraits::centred, true); }
    constexpr HelperTraits focusStaysOnRoll() const {
        return with(&HelperTraits::keepsFocusOnRoll, true);
    }
    constexpr HelperTraits insertButton(const char* text) const {
        return with(&HelperTraits::insertCaption, text);
    }
    constexpr HelperTraits helpButtonName(const char* name) const {
        return with(&HelperTraits::helpButton, name);
    }

private:
    template <typename T> constexpr HelperTraits with(T HelperTraits::*field, T value) const {
        HelperTraits copy = *this;
        copy.*field = value;
        return copy;
    }
};

/// The helper's right edge stands this far inside the main window's right edge by default.
inline constexpr int HelperRightInset = 25;

/// Where a helper `width` pixels wide opens beside the main window `main` (screen pixels): at
/// the default place (the main window's top plus the helper's offset, its right edge inside the
/// main window's) unless the user chose to keep helper positions; then where it was left, a
/// stored 0 meaning the default except for a helper that takes its keys as they are.
QPoint helperPosition(const SettingsFile& settings, const HelperTraits& traits, const QRect& main,
                      int width);

/// The top-left corner that centres a window of `window` size on a screen of `screen` size
/// (never left of or above the screen).
QPoint centredPosition(const QSize& screen, const QSize& window);

/// The top-left corner that puts a window of `window` size in the lower right corner of the main
/// window `main` (the helpers' inset from its right edge, above its status bar), moved as little
/// as it takes to stand on `screen` (all in screen pixels).
QPoint lowerRightPosition(const QRect& main, const QSize& window, const QRect& screen);

/// Records where a helper was when it closed.
void writeHelperPosition(SettingsFile& settings, const HelperTraits& traits, const QPoint& at);

} // namespace vellum
