#pragma once

#include <QPointer>
#include <QString>

class QTextBrowser;

namespace vellum {

/// The help window over the help file shipped beside the program; topic N is the anchor "topicN".
class HelpViewer {
public:
    explicit HelpViewer(QString helpFile = {});
    ~HelpViewer();

    /// Opens the help window at its contents.
    void showContents();
    /// Opens the help window at a topic number.
    void showTopic(int topic);
    /// Closes the help window if it is open (the program no longer needs it).
    void quit();
    bool isOpen() const;

private:
    QTextBrowser* window();
    QString m_helpFile;
    QPointer<QTextBrowser> m_window;
};

} // namespace vellum
