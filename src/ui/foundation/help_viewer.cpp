#include "ui/foundation/help_viewer.h"

#include <QTextBrowser>
#include <QUrl>

namespace vellum {

HelpViewer::HelpViewer(QString helpFile) : m_helpFile(std::move(helpFile)) {}

HelpViewer::~HelpViewer() {
    delete m_window;
}

QTextBrowser* HelpViewer::window() {
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setWindowTitle(QStringLiteral("VellumHTML Help"));
        m_window->resize(560, 640);
    }
    return m_window;
}

void HelpViewer::showContents() {
    QTextBrowser* browser = window();
    browser->setSource(QUrl::fromLocalFile(m_helpFile));
    browser->show();
    browser->raise();
}

void HelpViewer::showTopic(int topic) {
    QTextBrowser* browser = window();
    QUrl url = QUrl::fromLocalFile(m_helpFile);
    url.setFragment(QStringLiteral("topic%1").arg(topic));
    browser->setSource(url);
    browser->show();
    browser->raise();
}

void HelpViewer::quit() {
    if (m_window)
        m_window->close();
}

bool HelpViewer::isOpen() const {
    return m_window && m_window->isVisible();
}

} // namespace vellum
