#include "core/app/recovery_documents.h"

#include "core/app/document.h"
#include "core/app/document_flows.h"
#include "core/app/recovery_folders.h"
#include "core/app/workspace.h"
#include "core/editor/text_control.h"
#include "core/foundation/line_breaks.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace vellum {

bool runRecoveryJob(const RecoveryJob& job, QString& error) {
    if (job.record) {
        RecoveryRecord record = *job.record;
        // A text control may keep each line break as a paragraph separator in its searchable
        // text; taking that text is a copy, where the whole text would be a conversion too. The
        // conversion is done here, on the worker's thread, so that the window's thread only copies.
        record.text = paragraphsToCrLf(record.text);
        return writeRecoveryFile(job.file, record, error);
    }
    QFile file(job.file);
    if (!file.exists() || file.remove())
        return true;
    error = QStringLiteral("Cannot remove %1: %2.")
                .arg(QDir::toNativeSeparators(job.file), file.errorString());
    return false;
}

qint64 recoveryDueIn(qint64 sinceFirstChange, qint64 sinceLastChange, qint64 debounce) {
    const qint64 afterPause = debounce - sinceLastChange;
    const qint64 atLatest = RecoveryMaxWaitFactor * debounce - sinceFirstChange;
    return std::max<qint64>(0, std::min(afterPause, atLatest));
}

RecoveryBook::RecoveryBook(RecoveryFolder& folder) : m_folder(folder) {}

RecoveryBook::Slot& RecoveryBook::slotOf(const Document& document) {
    auto it = m_slots.find(&document);
    if (it == m_slots.end()) {
        Slot slot;
        slot.serial = ++m_lastSerial;
        it = m_slots.insert(&document, slot);
    }
    return *it;
}

RecoveryJob RecoveryBook::removal(const Slot& slot) const {
    return RecoveryJob{slot.serial, m_folder.filePath(slot.serial), std::nullopt};
}

void RecoveryBook::changed(const Document& document) {
    slotOf(document).changed = true;
}

bool RecoveryBook::hasChanges() const {
    return std::any_of(m_slots.begin(), m_slots.end(), [](const Slot& s) { return s.changed; });
}

std::vector<RecoveryJob> RecoveryBook::takeDue(const Workspace& workspace, const QDateTime& now,
                                               std::optional<QString>& error) {
    std::vector<RecoveryJob> jobs;
    // Only documents still open are looked at: a closed one's record is gone.
    for (Document* document : workspace.documents()) {
        auto it = m_slots.find(document);
        if (it == m_slots.end() || !it->changed || it->writing || !document->isNamed())
            continue;
        Slot& slot = *it;
        if (!document->text().isModified()) {
            slot.changed = false;
            if (slot.hasFile)
                jobs.push_back(removal(slot));
            slot.hasFile = false;
            continue;
        }
        if (std::optional<QString> failure = m_folder.claim()) {
            error = failure;
            continue;
        }
        RecoveryRecord record;
        record.untitled = document->isUntitled();
        record.name = record.untitled ? document->caption() : document->key();
        record.format = document->format();
        record.stamp = document->diskStamp();
        record.written = now.toUTC();
        record.text = document->text().searchableText();
        jobs.push_back(RecoveryJob{slot.serial, m_folder.filePath(slot.serial), std::move(record)});
        slot.changed = false;
        slot.writing = true;
        slot.hasFile = true;
    }
    return jobs;
}

bool RecoveryBook::finished(int serial) {
    // Any job ends the wait, not only a write: a removal that replaced a waiting write is the
    // last the worker reports for the document, and a flag left set would keep it from being
    // snapshotted for the rest of the run. A report that comes after a newer write was handed out
    // clears the flag early; the snapshot that follows then replaces the waiting write or follows
    // it, so the newest text still ends up in the file.
    for (Slot& slot : m_slots) {
        if (slot.serial == serial)
            slot.writing = false;
    }
    return hasChanges();
}

std::vector<RecoveryJob> RecoveryBook::reconcile(const Workspace& workspace) {
    const QList<Document*> open = workspace.documents();
    std::vector<RecoveryJob> jobs;
    for (auto it = m_slots.begin(); it != m_slots.end();) {
        // The key is compared before it is followed: a closed document's record may be gone.
        const Document* document = it.key();
        if (std::find(open.begin(), open.end(), document) == open.end()) {
            if (it->hasFile)
                jobs.push_back(removal(*it));
            it = m_slots.erase(it);
            continue;
        }
        if (it->hasFile && !document->text().isModified()) {
            jobs.push_back(removal(*it));
            it->hasFile = false;
            it->changed = false;
        }
        ++it;
    }
    return jobs;
}

std::optional<RecoveryJob> RecoveryBook::closed(const Document& document) {
    const auto it = m_slots.constFind(&document);
    if (it == m_slots.constEnd())
        return std::nullopt;
    std::optional<RecoveryJob> job;
    if (it->hasFile)
        job = removal(*it);
    m_slots.erase(it);
    return job;
}

std::vector<RecoveryJob> RecoveryBook::dropAll() {
    std::vector<RecoveryJob> jobs;
    for (Slot& slot : m_slots) {
        if (slot.hasFile)
            jobs.push_back(removal(slot));
        slot.hasFile = false;
        slot.changed = true;
    }
    return jobs;
}

std::optional<QString> RecoveryBook::adopt(const Document& document, RecoveryClaim& claim,
                                           int index) {
    if (std::optional<QString> failure = m_folder.claim())
        return failure;
    Slot& slot = slotOf(document);
    if (std::optional<QString> failure = claim.adopt(index, m_folder.filePath(slot.serial)))
        return failure;
    slot.hasFile = true;
    slot.changed = true;
    return std::nullopt;
}

Document& reopenRecovered(Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                          const RecoveryRecord& record, PathStyle style) {
    const bool openAlready = !record.untitled && workspace.findFile(record.name, style);
    const bool asFile = !record.untitled && !openAlready;
    DocumentRequest request;
    request.origin = DocumentRequest::Origin::Recovered;
    request.style = style;
    // The number is taken before the window exists, as a new document's is.
    if (asFile)
        request.path = record.name;
    else
        request.number = takeUntitledNumber(settings);
    LoadedDocument loaded;
    loaded.text = record.text;
    // An untitled document is stored as a new one; the text of a file in the file's own format,
    // and what the file held is remembered, so that a change made meanwhile on disk is noticed.
    if (asFile) {
        loaded.format = record.format;
        loaded.stamp = record.stamp;
    }
    request.file = std::move(loaded);
    request.modified = true;
    Document& document = *workspace.make(std::move(request));
    if (openAlready)
        prompter.inform(QStringLiteral("%1 is open already, so its recovered text was opened as "
                                       "%2, a new untitled document.")
                            .arg(QDir::toNativeSeparators(record.name), document.caption()));
    return document;
}

} // namespace vellum
