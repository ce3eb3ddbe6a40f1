#pragma once

#include <QString>
#include <QStringView>

namespace vellum {

/// `crlfText` with each CR LF written as `lineBreak` ("\n", "\r" or "\r\n"), in one pass. Lone CRs
/// and lone LFs are left as they are; for "\r\n" the text comes back unchanged.
QString withLineBreak(const QString& crlfText, QStringView lineBreak);

} // namespace vellum
