#pragma once

#include "core/app/prompter.h"

#include <QList>
#include <optional>

class QWidget;
class QColor;
class QFont;
class QPrinter;

namespace vellum {

struct RecoveryChoice;

/// Real message boxes and dialogs, titled with the application's name, over `parent`.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

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
    QWidget* m_parent;
};

} // namespace vellum
