#pragma once

#include <QString>

namespace vellum {

/// What the colour helper writes for the chosen colour.
enum class ColourForm {
    None,     ///< nothing
    Font,     ///< color="#HEX"
    BgColor,  ///< bgcolor="#HEX"
    Text,     ///< text="#HEX"
    Link,     ///< link="#HEX"
    VLink,    ///< vlink="#HEX"
    ALink,    ///< alink="#HEX"
    CodeOnly, ///< HEX alone
};

/// The colour helper's code for `colour` (a 0x00BBGGRR value) in `form`, HEX being its
/// colourText. Never begins with a space; empty for ColourForm::None.
QString colourGenerator(quint32 colour, ColourForm form);

} // namespace vellum
