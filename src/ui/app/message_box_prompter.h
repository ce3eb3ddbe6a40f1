#pragma once

#include "core/foundation/prompter.h"

#include <QList>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QColor;
class QFont;
class QPrinter;

namespace vellum {

struct RecoveryChoice;

class InputWindowWatcher;

/// Real message boxes and dialogs, titled with the application's name. Each belongs to the window
/// that caused it and shows above it: the modal dialog that is open, else the window the user last
/// pressed a key or a mouse button in (a menu or list that popped up counts as the window it
/// belongs to), else `parent`. So a message from a window that stays on top is never drawn behind
/// it. Messages show their text as it is, never read as rich text: most texts an HTML editor quotes
/// are tags.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr);
    ~MessageBoxPrompter() override;
    MessageBoxPrompter(const MessageBoxPrompter&) = delete;
    MessageBoxPrompter& operator=(const MessageBoxPrompter&) = delete;

    void setParent(QWidget* parent) { m_parent = parent; }
    /// The window the next box or dialog will belong to (null when there is none).
    QWidget* owner() const;

    void inform(const QString& text) override;
    void error(const QString& text) override;
    bool askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;

    /// The print dialog (one copy, collated); true when the user confirmed.
    virtual bool choosePrinter(QPrinter& printer);
    /// The font dialog set to `font`; true (with `font` changed) when the user confirmed.
    virtual bool chooseFont(QFont& font);
    /// The colour dialog set to `colour`; true (with `colour` changed) when the user confirmed.
    virtual bool chooseColour(QColor& colour);
    /// The printer set-up dialog.
    virtual void setUpPrinter(QPrinter& printer);
    /// The recovery dialog over `choices`: the indexes of the documents to open again after
    /// Recover, or nothing after Decide Later.
    virtual std::optional<QList<int>> chooseRecoveries(const QList<RecoveryChoice>& choices);

    /// A "|"-separated filter as the file dialog expects it: "HTML files (*.htm*);;All files (*)".
    static QString dialogFilter(const QString& filter);

private:
    int showMessage(int icon, const QString& text, int buttons);
    /// Runs a dialog made over the owner; input given to it does not make it the next owner.
    template <typename Run> auto owned(Run run);

    QPointer<QWidget> m_parent;
    std::unique_ptr<InputWindowWatcher> m_watcher;
};

} // namespace vellum
