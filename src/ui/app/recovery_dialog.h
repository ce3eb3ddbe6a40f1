#pragma once

#include <QDateTime>
#include <QDialog>
#include <QList>
#include <QString>
#include <optional>

class QTreeWidget;

namespace vellum {

class HomeDirectory;
class MessageBoxPrompter;
class RecoveryWriter;
class SettingsFile;
class Workspace;

/// One document the recovery dialog lists.
struct RecoveryChoice {
    /// The file name, or the untitled caption.
    QString name;
    /// The whole path of a file (empty for an untitled document).
    QString path;
    /// When its text was last kept.
    QDateTime written;
};

/// The dialog that lists the documents an ended instance left unsaved, each with a tick (all
/// ticked at first). Recover opens the ticked ones and discards the others; Decide Later (or
/// closing the dialog) keeps them all for the next start.
class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr char Title[] = "Recover Unsaved Documents";

    RecoveryDialog(const QList<RecoveryChoice>& choices, QWidget* parent = nullptr);

    /// The list, for tests.
    QTreeWidget* list() const { return m_list; }
    /// The indexes of the ticked rows, in order.
    QList<int> ticked() const;

    /// Shows the dialog; the ticked rows after Recover, or nothing after Decide Later.
    static std::optional<QList<int>> choose(const QList<RecoveryChoice>& choices, QWidget* parent);

private:
    QTreeWidget* m_list;
};

/// At the start of the running instance: when recovery is on and ended instances left documents
/// unsaved, asks which to open again. The chosen ones open as modified documents under their
/// own names (their files become this instance's), the others are discarded; after Decide Later
/// everything stays for the next start.
void offerRecovery(const HomeDirectory& home, Workspace& workspace, SettingsFile& settings,
                   MessageBoxPrompter& prompter, RecoveryWriter& writer);

} // namespace vellum
