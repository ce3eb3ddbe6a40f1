#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <utility>
#include <vector>

namespace vellum::test {

/// A fresh home folder for one test: VELLUMHTML_HOME points at it while the object lives, and the
/// spelling library keeps its personal word lists in its folder "enchant".
class TempHome {
public:
    TempHome();
    ~TempHome();

    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    QString settingsPath() const { return file(QStringLiteral("vellumh.ini")); }

    /// Writes bytes to a file under the home, creating folders as needed; returns its path.
    QString write(const QString& name, const QByteArray& bytes) const;
    /// The bytes of a file under the home (empty when missing).
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir m_dir;
    // Each variable's value before: whether it was set, and to what.
    std::vector<std::pair<bool, QByteArray>> m_previous;
};

} // namespace vellum::test
