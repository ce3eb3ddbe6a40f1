#pragma once

#include "support/scripted_prompter.h"
#include "ui/app/message_box_prompter.h"
#include "ui/app/recovery_dialog.h"

#include <functional>

namespace vellum::test {

/// The scripted prompter of the widget tests: the printer, font and colour dialogs answer through
/// the functions set here (cancelled when none is). With `showBoxes` set, messages and questions
/// are recorded and also shown in the real message boxes, for the user (the test) to answer.
class ScriptedPrompter : public Scripted<MessageBoxPrompter> {
public:
    void inform(const QString& text) override {
        Scripted::inform(text);
        if (showBoxes)
            MessageBoxPrompter::inform(text);
    }
    void error(const QString& text) override {
        Scripted::error(text);
        if (showBoxes)
            MessageBoxPrompter::error(text);
    }
    bool askYesNo(const QString& text) override {
        if (!showBoxes)
            return Scripted::askYesNo(text);
        asked << text;
        return MessageBoxPrompter::askYesNo(text);
    }

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
    bool showBoxes = false;
};

} // namespace vellum::test
