#pragma once

#include "core/foundation/clipboard.h"

namespace vellum {

/// The desktop clipboard's text. The editor's CR LF breaks are stored as the desktop's own line
/// breaks (LF here) and any line breaks read back are made CR LF.
class SystemClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
    /// Asks the desktop clipboard directly, without converting its line breaks.
    bool hasText() const override;
};

} // namespace vellum
