#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace vellum {

/// Keeps the main window's title, and so its task-bar entry, naming the active document:
/// "VellumHTML - [index.htm]", or "VellumHTML" alone while no document is open. The same form
/// holds whether the documents are maximised, tiled or cascaded.
class WindowTitle : public QObject {
public:
    WindowTitle(QMainWindow& frame, QMdiArea& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QMdiSubWindow* window);
    QString wanted() const;
    void update();

    QMainWindow& m_frame;
    QMdiArea& m_area;
    // Held as a plain widget: its events still come while it is being destroyed, when it is no
    // longer a document window.
    QPointer<QWidget> m_followed;
};

} // namespace vellum
