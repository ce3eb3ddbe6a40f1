#pragma once

#include <QObject>

namespace vellum {

class CommandRegistry;
class DocumentFlows;

/// Files dropped on the main window (or on a document's text) open as documents, one by one
/// through the same flow as Open: a file already open comes forward, a file that cannot be read
/// is reported.
class FileDrops : public QObject {
    Q_OBJECT
public:
    /// Watches `window` for drops; neither argument is owned.
    FileDrops(QWidget& window, DocumentFlows& flows, CommandRegistry& commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DocumentFlows& m_flows;
    CommandRegistry& m_commands;
};

} // namespace vellum
