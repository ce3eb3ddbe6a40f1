#pragma once

#include "core/foundation/prompter.h"

#include <QStringList>
#include <deque>
#include <vector>

namespace vellum::test {

/// Records every message and answers from scripts instead of showing boxes and dialogs.
/// An unscripted question answers No / Cancel; an unscripted dialog is cancelled.
template <typename Base> class Scripted : public Base {
public:
    using Answer = Prompter::Answer;

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

    QStringList informed, errors, asked, dialogs;
    std::deque<bool> yesNo;
    std::deque<Answer> yesNoCancel;
    std::deque<QString> openNames, saveNames;
    std::vector<FileDialogRequest> openRequests, saveRequests;

private:
    template <typename T> static T next(std::deque<T>& queue, T fallback) {
        if (queue.empty())
            return fallback;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

/// The scripted prompter of the core tests.
using CorePrompter = Scripted<Prompter>;

} // namespace vellum::test
