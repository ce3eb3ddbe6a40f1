#include "core/library/templates.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vellum {

namespace V = keys::Vellum;

QStringList templateNames(const QString& templateDir) {
    return QDir(templateDir).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString defaultTemplate(const SettingsFile& settings) {
    return settings.readText(V::Section, V::Tpl);
}

void setDefaultTemplate(SettingsFile& settings, const QString& name) {
    settings.writeText(V::Section, V::Tpl, name);
}

bool deleteTemplate(SettingsFile& settings, const QString& templateDir, const QString& name,
                    QString& error) {
    const bool safe = !name.isEmpty() && name != QLatin1String(".") &&
                      name != QLatin1String("..") && !name.contains(QLatin1Char('/')) &&
                      !name.contains(QLatin1Char('\\'));
    const QString path = QDir(templateDir).filePath(name);
    bool deleted = false;
    if (!safe)
        error = QStringLiteral("%1 is not a template name.").arg(name);
    else if (!QFileInfo(path).isFile())
        error = QStringLiteral("Cannot delete %1: there is no such template.")
                    .arg(QDir::toNativeSeparators(path));
    else if (!(deleted = QFile::remove(path)))
        error = QStringLiteral("Cannot delete %1.").arg(QDir::toNativeSeparators(path));
    if (safe && defaultTemplate(settings) == name)
        setDefaultTemplate(settings, QString());
    return deleted;
}

} // namespace vellum
