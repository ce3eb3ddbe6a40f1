#pragma once

#include <QString>

namespace vellum {

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

} // namespace vellum
