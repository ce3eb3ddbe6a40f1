#pragma once

#include "core/app/recovery_file.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <gtest/gtest.h>

namespace vellum::test {

/// The folder an ended instance left in the recovery folder `root` (private, as the program makes
/// it): its lock file, written by a
/// process that is gone (no process can have that number), and one recovery file holding each of
/// `files`, in order.
inline void endedInstance(const QString& root, const QString& id, const QList<QByteArray>& files) {
    ASSERT_TRUE(QDir().mkpath(root + "/" + id));
    ASSERT_TRUE(QFile::setPermissions(root + "/" + id,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QFile lock(root + "/" + id + ".lock");
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("99999999\nvellumhtml\n\n");
    for (int i = 0; i < files.size(); ++i) {
        QFile file(QStringLiteral("%1/%2/document-%3.recovery").arg(root, id).arg(i + 1));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(files[i]);
    }
}

/// A record of a document's text as it was written at `msecs` after the epoch.
inline RecoveryRecord recoveryRecord(const QString& name, bool untitled, const QString& text,
                                     qint64 msecs = 1700000000123) {
    RecoveryRecord r;
    r.name = name;
    r.untitled = untitled;
    r.written = QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC);
    r.text = text;
    return r;
}

} // namespace vellum::test
