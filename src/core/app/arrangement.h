#pragma once

namespace vellum {

class SettingsFile;

/// How the document windows are arranged, as the settings keep it for the next document window
/// and the next start: the key "state" of the program's section.
enum class Arrangement {
    /// Maximised, one at a time, with the tab strip ("max").
    Tabbed,
    /// Tiled, cascaded or wherever the user put them ("norm").
    Normal,
};

/// Who stores an arrangement. Each writes the program's section under the spelling it always has;
/// names match without regard to case, so the spelling shows only where a write creates the
/// section.
enum class ArrangementWriter {
    /// A document window maximised, minimised or restored, and the Tab command, which maximises
    /// one: under "vellum".
    DocumentWindow,
    /// The Tile and Cascade commands, and the first start: under "Vellum".
    Program,
};

/// The stored arrangement: tabbed when "state" says "max", otherwise normal.
Arrangement storedArrangement(const SettingsFile& settings);
/// Stores `arrangement` as `writer` writes it.
void storeArrangement(SettingsFile& settings, Arrangement arrangement, ArrangementWriter writer);
/// Stores the tabbed arrangement when none is stored yet (nothing otherwise).
void storeDefaultArrangement(SettingsFile& settings);

} // namespace vellum
