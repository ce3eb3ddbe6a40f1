#pragma once

#include <QString>

namespace vellum {

/// The user's side of a modal exchange: message boxes now, dialogs as they come.
/// Core rules ask through it; the UI shows real boxes, tests script the answers.
class Prompter {
public:
    virtual ~Prompter() = default;
    /// A plain message with an OK button.
    virtual void inform(const QString& text) = 0;
    /// An error message with an OK button.
    virtual void error(const QString& text) = 0;
};

} // namespace vellum
