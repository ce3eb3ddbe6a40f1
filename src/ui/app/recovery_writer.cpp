#include "ui/app/recovery_writer.h"

#include "core/app/home_directory.h"
#include "core/app/recovery_worker.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QCoreApplication>
#include <QDateTime>

#include <algorithm>

namespace vellum {

namespace V = keys::Vellum;

namespace {

constexpr int MaxDelayMs = 600000;

} // namespace

RecoveryWriter::RecoveryWriter(Workspace& workspace, SettingsFile& settings,
                               const HomeDirectory& home, Prompter& prompter, QObject* parent)
    : QObject(parent), m_workspace(workspace), m_settings(settings), m_prompter(prompter),
      m_folder(home.recoveryDir()) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::due);
    m_worker = std::make_unique<RecoveryWorker>([this](int serial, const QString& error) {
        // Taken in on the window's thread, where the book is kept.
        QMetaObject::invokeMethod(
            this, [this, serial, error] { done(serial, error); }, Qt::QueuedConnection);
    });
    m_workspace.addListener(*this);
}

RecoveryWriter::~RecoveryWriter() {
    m_workspace.removeListener(*this);
    m_timer.stop();
    // The worker carries out what is queued (the removals of closed documents' files at exit
    // among them) before the folder is given up.
    m_worker.reset();
}

bool RecoveryWriter::enabled() const {
    return m_settings.readInt(V::Section, V::Recovery, 1) != 0;
}

int RecoveryWriter::delayMs() const {
    return std::clamp(m_settings.readInt(V::Section, V::RecoveryDelay, DefaultDelayMs), 1,
                      MaxDelayMs);
}

void RecoveryWriter::textChanged(Document& document) {
    // Called for every keystroke: nothing here reads the text or the settings file.
    m_book.changed(document);
    m_lastChange.start();
    if (!m_firstChange.isValid())
        m_firstChange.start();
    if (!m_timer.isActive())
        arm();
}

void RecoveryWriter::modifiedChanged(Document&, bool modified) {
    // (Undo marks the text modified even when it returns to the saved text.)
    if (!modified)
        submit(m_book.reconcile(m_workspace));
}

void RecoveryWriter::closing(Document& document) {
    if (std::optional<RecoveryJob> job = m_book.closed(document))
        m_worker->submit(std::move(*job));
}

std::optional<QString> RecoveryWriter::adopt(Document& document, RecoveryClaim& claim, int index) {
    std::optional<QString> failure = m_book.adopt(document, claim, index);
    if (!failure && !m_timer.isActive())
        arm();
    return failure;
}

void RecoveryWriter::flush() {
    m_worker->drain();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void RecoveryWriter::arm() {
    if (!m_firstChange.isValid())
        m_firstChange.start();
    if (!m_lastChange.isValid())
        m_lastChange.start();
    m_timer.start(static_cast<int>(
        recoveryDueIn(m_firstChange.elapsed(), m_lastChange.elapsed(), delayMs())));
}

void RecoveryWriter::due() {
    // The timer is not restarted by every keystroke; it fires on time and waits on when the user
    // has typed since.
    const qint64 wait = recoveryDueIn(m_firstChange.elapsed(), m_lastChange.elapsed(), delayMs());
    if (wait > 0) {
        m_timer.start(static_cast<int>(wait));
        return;
    }
    m_firstChange.invalidate();
    if (!enabled()) {
        submit(m_book.dropAll());
        return;
    }
    std::optional<QString> error;
    submit(m_book.takeDue(m_workspace, QDateTime::currentDateTimeUtc(), error));
    if (error)
        report(*error);
}

void RecoveryWriter::submit(std::vector<RecoveryJob> jobs) {
    for (RecoveryJob& job : jobs)
        m_worker->submit(std::move(job));
}

void RecoveryWriter::report(const QString& error) {
    // Once a run: the user is not to be stopped at every pause in typing.
    if (m_reported)
        return;
    m_reported = true;
    m_prompter.error(
        QStringLiteral("Unsaved changes cannot be kept for recovery after a crash.\n%1")
            .arg(error));
}

void RecoveryWriter::done(int serial, const QString& error) {
    if (!error.isEmpty())
        report(error);
    // A document changed while a job of its own was under way is written once more.
    if (m_book.finished(serial) && !m_timer.isActive())
        arm();
    emit jobDone();
}

} // namespace vellum
