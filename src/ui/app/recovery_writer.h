#pragma once

#include "core/app/recovery_documents.h"
#include "core/app/recovery_folders.h"
#include "core/app/workspace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

namespace vellum {

class Document;
class HomeDirectory;
class Prompter;
class RecoveryWorker;
class SettingsFile;
class Workspace;

/// Keeps every modified document in this instance's recovery folder, so that the next start can
/// offer it after a crash. A short time after the last edit (the settings key RecoveryDelay, in
/// milliseconds) the changed documents' texts are taken, on this thread while the user is idle,
/// and written by a worker thread; a write still under way when the next is due is followed by
/// one more once it ends. A document's file goes when it is saved, read again from disk or closed.
/// It listens to the workspace's documents from its construction to its end.
class RecoveryWriter : public QObject, public WorkspaceListener {
    Q_OBJECT
public:
    static constexpr int DefaultDelayMs = 2000;

    RecoveryWriter(Workspace& workspace, SettingsFile& settings, const HomeDirectory& home,
                   Prompter& prompter, QObject* parent = nullptr);
    /// Carries out what is still to be written or removed, then gives the folder up (removing it
    /// when no file is left in it).
    ~RecoveryWriter() override;

    /// Whether recovery is on, as the settings say now (the key Recovery, 1 by default).
    bool enabled() const;

    // WorkspaceListener
    /// The document's text changed: a snapshot is due after the next pause.
    void textChanged(Document& document) override;
    /// Saving, or reading the file again, leaves the document unmodified: its file goes at once.
    void modifiedChanged(Document& document, bool modified) override;
    /// The document is closing, saved or not: its file goes.
    void closing(Document& document) override;
    /// The file of entry `index` of `claim` becomes `document`'s own (see RecoveryBook::adopt).
    /// Returns an error message on failure.
    std::optional<QString> adopt(Document& document, RecoveryClaim& claim, int index);

    /// This instance's folder.
    const RecoveryFolder& folder() const { return m_folder; }
    /// Waits until every job handed to the worker has been carried out and their reports have
    /// been taken in.
    void flush();

signals:
    /// A job was carried out: a document's file written or removed.
    void jobDone();

private:
    int delayMs() const;
    void arm();
    void due();
    void submit(std::vector<RecoveryJob> jobs);
    void report(const QString& error);
    void done(int serial, const QString& error);

    Workspace& m_workspace;
    SettingsFile& m_settings;
    Prompter& m_prompter;
    RecoveryFolder m_folder;
    RecoveryBook m_book{m_folder};
    QTimer m_timer;
    QElapsedTimer m_firstChange;
    QElapsedTimer m_lastChange;
    bool m_reported = false;
    std::unique_ptr<RecoveryWorker> m_worker;
};

} // namespace vellum
