#pragma once

#include "ui/app/message_box_prompter.h"

#include <QStringList>
#include <deque>
#include <functional>

namespace vellum::test {

/// Records every message and answers from scripts instead of showing boxes and dialogs.
/// An unscripted question answers No / Cancel; an unscripted dialog is cancelled.
class ScriptedPrompter : public MessageBoxPrompter {
public:
    void inform(const QString& text) override { informed << text; }
    void error(const QString& text) override { errors << text; }
    bool askYesNo(const QString& text) override {
        asked << text;
        return next(yesNo, false);
    }
    Answer askYesNoCancel(const QString& text) override {
        asked << text;
        return next(yesNoCancel, Answer::Cancel);
    }
    QString openFileName(const FileDialogRequest& request) override {
        dialogs << request.title;
        openRequests.push_back(request);
        return next(openNames, QString());
    }
    QString saveFileName(const FileDialogRequest& request) override {
        dialogs << QStringLiteral("save");
        saveRequests.push_back(request);
        return next(saveNames, QString());
    }
    bool choosePrinter(QPrinter& printer) override {
        return printerChoice ? printerChoice(printer) : false;
    }
    void setUpPrinter(QPrinter&) override { ++printerSetUps; }
    bool chooseFont(QFont& font) override { return fontChoice ? fontChoice(font) : false; }
    bool chooseColour(QColor& colour) override {
        return colourChoice ? colourChoice(colour) : false;
    }

    QStringList informed, errors, asked, dialogs;
    std::deque<bool> yesNo;
    std::deque<Answer> yesNoCancel;
    std::deque<QString> openNames, saveNames;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::function<bool(QPrinter&)> printerChoice;
    std::function<bool(QFont&)> fontChoice;
    std::function<bool(QColor&)> colourChoice;
    int printerSetUps = 0;

private:
    template <typename T> static T next(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace vellum::test
