#pragma once

#include <QString>
#include <QStringList>

namespace vellum {

class SettingsFile;

/// The template files of the templates folder, by name (an empty list when the folder is
/// missing).
QStringList templateNames(const QString& templateDir);

/// The default template's name ("Vellum"/"tpl"; empty for none).
QString defaultTemplate(const SettingsFile& settings);
/// Makes `name` the default template (empty clears the default).
void setDefaultTemplate(SettingsFile& settings, const QString& name);

/// Deletes the template `name` from the folder. A name that could reach outside the folder (a
/// separator, or ".." as the name) is refused. When it was the default, the default is cleared,
/// deleted or not. Returns false with `error` set when nothing was deleted.
bool deleteTemplate(SettingsFile& settings, const QString& templateDir, const QString& name,
                    QString& error);

} // namespace vellum
