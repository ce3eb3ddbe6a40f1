#pragma once

#include "core/app/workspace.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <vector>

class QThread;
class QWidget;

namespace vellum {

class CommandRegistry;
class PageCheckMarks;
class PageCheckWindow;
struct PageCheckResult;

/// Check Page: the command, the check itself running on another thread over a copy of the text
/// while the user types on, the Page Check window that shows its findings, and their marks in the
/// checked document. One check's findings are shown at a time: a new check, of any document,
/// replaces them, and the result of a check started before it is dropped.
class PageChecks : public QObject, public WorkspaceListener {
    Q_OBJECT
public:
    /// `workingFolder`: where the local links of a document never saved are looked up.
    PageChecks(QWidget& main, Workspace& workspace, QString workingFolder,
               CommandRegistry& commands);
    /// Waits for the checks still running (their results go unused); the window goes.
    ~PageChecks() override;
    PageChecks(const PageChecks&) = delete;
    PageChecks& operator=(const PageChecks&) = delete;

    /// Registers Check Page.
    void registerCommands();

    /// Checks `document`'s text as it is now. The window opens (or stays where it is) and says
    /// it is checking; the earlier findings and their marks go. When the result comes, it fills
    /// the window and marks the findings in the text, placed where their characters are by then.
    void check(Document& document);
    /// Brings the checked document forward with finding `index`'s characters selected where they
    /// are now, the focus in its editor. Nothing once its document has closed.
    void goToFinding(int index);

    /// The Page Check window, or null while it is not open.
    PageCheckWindow* window() const;
    /// The marks of the findings shown, or null while none are.
    PageCheckMarks* marks() const;
    /// True while a check runs whose result will be shown.
    bool isChecking() const { return m_checking; }

    // WorkspaceListener: the closing of the checked document ends what is shown of its check.
    void closing(Document& document) override;

private:
    void show(const QString& checkedText, const PageCheckResult& result);
    PageCheckWindow& openWindow();
    /// Nothing of the last check is shown any more, and a running check's result will be dropped.
    void forget();
    void dropMarks();
    void focusChecked();

    QWidget& m_main;
    Workspace& m_workspace;
    QString m_workingFolder;
    CommandRegistry& m_commands;
    QPointer<PageCheckWindow> m_window;
    QPointer<PageCheckMarks> m_marks;
    Document* m_checked = nullptr;
    // The number of the latest check; a result of any other is dropped.
    quint64 m_run = 0;
    bool m_checking = false;
    std::vector<QThread*> m_threads;
};

} // namespace vellum
