#pragma once

#include "support/scripted_prompter.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/recovery_dialog.h"

#include <functional>

namespace vellum::test {

/// The scripted prompter of the widget tests: the printer, font and colour dialogs answer through
/// the functions set here (cancelled when none is).
class ScriptedPrompter : public Scripted<MessageBoxPrompter> {
public:
    bool choosePrinter(QPrinter& printer) override {
        return printerChoice ? printerChoice(printer) : false;
    }
    void setUpPrinter(QPrinter&) override { ++printerSetUps; }
    bool chooseFont(QFont& font) override { return fontChoice ? fontChoice(font) : false; }
    bool chooseColour(QColor& colour) override {
        return colourChoice ? colourChoice(colour) : false;
    }
    /// Unscripted, the recovery dialog is answered with Decide Later.
    std::optional<QList<int>> chooseRecoveries(const QList<RecoveryChoice>& choices) override {
        recoveryOffers.push_back(choices);
        return recoveryChoice ? recoveryChoice(choices) : std::nullopt;
    }

    std::function<bool(QPrinter&)> printerChoice;
    std::function<bool(QFont&)> fontChoice;
    std::function<bool(QColor&)> colourChoice;
    std::function<std::optional<QList<int>>(const QList<RecoveryChoice>&)> recoveryChoice;
    std::vector<QList<RecoveryChoice>> recoveryOffers;
    int printerSetUps = 0;
};

} // namespace vellum::test
