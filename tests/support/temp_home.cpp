#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum::test {

TempHome::TempHome() : m_hadPrevious(qEnvironmentVariableIsSet("VELLUMHTML_HOME")) {
    m_previous = qgetenv("VELLUMHTML_HOME");
    qputenv("VELLUMHTML_HOME", m_dir.path().toLocal8Bit());
}

TempHome::~TempHome() {
    if (m_hadPrevious)
        qputenv("VELLUMHTML_HOME", m_previous);
    else
        qunsetenv("VELLUMHTML_HOME");
}

QString TempHome::write(const QString& name, const QByteArray& bytes) const {
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (out.open(QIODevice::WriteOnly))
        out.write(bytes);
    return path;
}

QByteArray TempHome::read(const QString& name) const {
    QFile in(file(name));
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace vellum::test
