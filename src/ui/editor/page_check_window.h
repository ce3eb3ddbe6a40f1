#pragma once

#include "core/editor/page_check.h"

#include <QDialog>
#include <QIcon>

class QLabel;
class QTreeWidget;

namespace vellum {

/// The Page Check window: which document was checked, the check's note, and one row per finding
/// (line, column, kind with a mark in its colour, message). It stays open and shows each new check
/// of a document in place of the last one. Closing it (its close button, Escape) finishes it as a
/// dialog is finished; it destroys itself then.
class PageCheckWindow : public QDialog {
    Q_OBJECT
public:
    /// The line that says a check is running.
    static constexpr char16_t Checking[] = u"Checking\u2026";
    /// The line shown in place of the rows when there are none.
    static constexpr char16_t NoFindings[] = u"No findings.";

    explicit PageCheckWindow(QWidget& main);

    /// Empties the rows and says that `caption` is being checked.
    void showChecking(const QString& caption);
    /// Shows `result`, the check of `caption`, one row a finding in their order.
    void showResult(const QString& caption, const PageCheckResult& result);

    QLabel* captionLine() const { return m_caption; }
    QLabel* stateLine() const { return m_state; }
    QLabel* noteLine() const { return m_note; }
    QTreeWidget* findingList() const { return m_list; }

signals:
    /// The user chose the row of finding `index` (a double-click, or Enter on the current row).
    void findingChosen(int index);

private:
    QLabel* m_caption;
    QLabel* m_state;
    QLabel* m_note;
    QTreeWidget* m_list;
    QIcon m_marks[3]; // by kind: error, warning, link
};

} // namespace vellum
