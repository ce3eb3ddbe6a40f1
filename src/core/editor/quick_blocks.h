#pragma once

#include <QString>

namespace vellum {

class SettingsFile;

/// A sample count from the settings: a missing key or 0 means `zeroMeans`, a negative value none.
int quickCount(const SettingsFile& settings, const char* key, int zeroMeans);

/// The sample table's text (each line ended by CR LF): the border from "qborder" ("1" when
/// empty), a caption line when "qcaption" is "sure", "qrow" rows of "qcell" cells.
QString quickTableText(const SettingsFile& settings);

/// A sample list's text: the opening line, "qlitem" item lines (a tab, then `item`), and the
/// closing text with no line break after it.
QString quickListText(const SettingsFile& settings, const QString& open, const QString& item,
                      const QString& close);

/// The sample form's text with the fields counted by the "qf..." keys.
QString quickFormText(const SettingsFile& settings);

/// True when the sample table has a caption line.
bool quickTableHasCaption(const SettingsFile& settings);

} // namespace vellum
