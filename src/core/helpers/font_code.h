#pragma once

#include <QString>

#include <optional>

namespace vellum {

struct StartTag;

/// The font helper's choices.
struct FontOptions {
    bool noColor = true;       ///< leave the colour out
    quint32 colour = 0xFFFFFF; ///< a 0x00BBGGRR value, used unless noColor
    int size = 0;              ///< 1..7; 0 writes no size
};

/// The font helper's code: the opening and closing tags, and a sample line to show.
struct FontCode {
    QString open;
    QString close;
    QString sample; ///< open + " " + close
};

/// Builds the FONT tags for `options`: `<FONT color="#HEX" size=N>`, each attribute only when
/// chosen, and "</FONT>".
FontCode fontGenerator(const FontOptions& options);

/// The font helper's choices that would write `tag`, a FONT tag: its colour and its size from 1 to
/// 7. A colour or size the helper cannot choose (a colour name, "+1") is left unchosen. Null for
/// any other tag.
std::optional<FontOptions> fontOptionsFromTag(const StartTag& tag);

} // namespace vellum
