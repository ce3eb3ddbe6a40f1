#include "core/app/arrangement.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

namespace vellum {

namespace V = keys::Vellum;

Arrangement storedArrangement(const SettingsFile& settings) {
    return settings.readText(V::Section, V::State) == QLatin1String(keys::StateMax)
               ? Arrangement::Tabbed
               : Arrangement::Normal;
}

void storeArrangement(SettingsFile& settings, Arrangement arrangement, ArrangementWriter writer) {
    const char* section =
        writer == ArrangementWriter::DocumentWindow ? V::SectionLower : V::Section;
    const char* state = arrangement == Arrangement::Tabbed ? keys::StateMax : keys::StateNorm;
    settings.writeText(QString::fromLatin1(section), V::State, QString::fromLatin1(state));
}

void storeDefaultArrangement(SettingsFile& settings) {
    if (settings.readText(V::Section, V::State).isEmpty())
        storeArrangement(settings, Arrangement::Tabbed, ArrangementWriter::Program);
}

} // namespace vellum
