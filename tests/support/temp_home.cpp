#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum::test {

namespace {

// The home, and the folder where the spelling library keeps the user's personal word lists, so
// that no test reads or writes the real user's words.
constexpr const char* Variables[] = {"VELLUMHTML_HOME", "ENCHANT_CONFIG_DIR"};

} // namespace

TempHome::TempHome() {
    for (const char* name : Variables)
        m_previous.push_back({qEnvironmentVariableIsSet(name), qgetenv(name)});
    qputenv("VELLUMHTML_HOME", m_dir.path().toLocal8Bit());
    qputenv("ENCHANT_CONFIG_DIR", file(QStringLiteral("enchant")).toLocal8Bit());
}

TempHome::~TempHome() {
    for (std::size_t i = 0; i < std::size(Variables); ++i) {
        if (m_previous[i].first)
            qputenv(Variables[i], m_previous[i].second);
        else
            qunsetenv(Variables[i]);
    }
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
