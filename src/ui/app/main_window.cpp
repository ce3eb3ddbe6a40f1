#include "ui/app/main_window.h"

#include "core/app/startup.h"

#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QStatusBar>

namespace vellum {

TMDImain::TMDImain(SettingsFile& settings, const HomeDirectory& home, QWidget* parent)
    : QMainWindow(parent), m_settings(settings), m_home(home), m_area(new QMdiArea(this)),
      m_dates(new QLabel(this)), m_help(home.helpPath()) {
    setObjectName(QStringLiteral("MDImain"));
    setWindowTitle(QStringLiteral("VellumHTML"));
    setCentralWidget(m_area);
    m_dates->setObjectName(QStringLiteral("Dates"));
    statusBar()->addPermanentWidget(m_dates);

    m_firstShow = true;
    resetRunState(m_settings, m_home);
    m_dates->setText(dateLabelText(QDate::currentDate(), QLocale::system()));
    m_storememo.setText(QString());
}

TMDImain::~TMDImain() = default;

void TMDImain::start() {
    if (m_firstShow)
        placeFirstShow();
    else
        show();
}

void TMDImain::placeFirstShow() {
    const Placement placement = firstShowPlacement(m_settings);
    m_firstShow = false;
    if (placement.maximised) {
        showMaximized();
        return;
    }
    resize(placement.width, placement.height);
    move(placement.left, placement.top);
    showNormal();
}

void TMDImain::closeEvent(QCloseEvent* event) {
    WindowSnapshot snapshot;
    // A minimised window may still carry its maximised state underneath; it counts as minimised.
    snapshot.minimised = isMinimized();
    snapshot.maximised = isMaximized() && !snapshot.minimised;
    snapshot.top = y();
    snapshot.left = x();
    snapshot.width = width();
    snapshot.height = height();
    writeExitPlacement(m_settings, snapshot);
    deleteCleanUpFiles(m_settings);
    m_help.quit();
    event->accept();
}

} // namespace vellum
