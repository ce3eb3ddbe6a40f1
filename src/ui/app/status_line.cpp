#include "ui/app/status_line.h"

#include "core/app/startup.h"
#include "ui/foundation/click_label.h"

#include <QDate>
#include <QLocale>
#include <QStatusBar>
#include <QTabBar>

namespace vellum {

StatusLine::StatusLine(QStatusBar* bar)
    : QObject(bar),
      m_banner(new ClickLabel(QStringLiteral("Label2"), QStringLiteral("VellumHTML 32"), bar)),
      m_tabBar(new QTabBar(bar)),
      m_lineLabel(new ClickLabel(QStringLiteral("Label1"), QStringLiteral(" line:"), bar)),
      m_linecol(new ClickLabel(QStringLiteral("linecol"), QStringLiteral("1"), bar)),
      m_dates(new ClickLabel(QStringLiteral("Dates"),
                             dateLabelText(QDate::currentDate(), QLocale::system()), bar)) {
    bar->setObjectName(QStringLiteral("Statuser"));
    m_tabBar->setObjectName(QStringLiteral("TabSet1"));
    m_tabBar->setShape(QTabBar::RoundedSouth);
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    m_tabBar->hide();
    bar->addWidget(m_banner, 1);
    bar->addWidget(m_tabBar, 1);
    m_linecol->setMinimumWidth(48);
    bar->addPermanentWidget(m_lineLabel);
    bar->addPermanentWidget(m_linecol);
    bar->addPermanentWidget(m_dates);
    connect(m_banner, &ClickLabel::doubleClicked, this, &StatusLine::bannerDoubleClicked);
    connect(m_lineLabel, &ClickLabel::doubleClicked, this, &StatusLine::lineDoubleClicked);
    connect(m_linecol, &ClickLabel::doubleClicked, this, &StatusLine::lineDoubleClicked);
    connect(m_dates, &ClickLabel::doubleClicked, this, &StatusLine::dateDoubleClicked);
}

QLabel* StatusLine::banner() const {
    return m_banner;
}

QLabel* StatusLine::linecol() const {
    return m_linecol;
}

QLabel* StatusLine::dates() const {
    return m_dates;
}

void StatusLine::showTabs(bool shown) {
    m_tabBar->setVisible(shown);
    m_banner->setVisible(!shown);
}

bool StatusLine::tabsShown() const {
    return !m_tabBar->isHidden();
}

void StatusLine::showLine(int line) {
    m_linecol->setText(QString::number(line));
}

QString StatusLine::date() const {
    return m_dates->text();
}

} // namespace vellum
