#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;
class QTabBar;

namespace vellum {

class ClickLabel;

/// The status bar: on the left the banner or, in its place while documents are tabbed, the tab
/// strip; on the right the caret line and today's date. Double-clicks on its labels are reported.
class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(QStatusBar* bar);

    QTabBar* tabBar() const { return m_tabBar; }
    QLabel* banner() const;
    QLabel* linecol() const;
    QLabel* dates() const;

    /// Shows the tab strip in place of the banner, or the banner again.
    void showTabs(bool shown);
    bool tabsShown() const;
    /// Shows a line number (counted from 1).
    void showLine(int line);
    /// The date text the date label shows.
    QString date() const;

signals:
    void bannerDoubleClicked();
    void lineDoubleClicked();
    void dateDoubleClicked();

private:
    ClickLabel* m_banner;
    QTabBar* m_tabBar;
    ClickLabel* m_lineLabel;
    ClickLabel* m_linecol;
    ClickLabel* m_dates;
};

} // namespace vellum
