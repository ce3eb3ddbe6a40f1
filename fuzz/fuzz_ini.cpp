// Any bytes as a settings file: parsing never fails, an untouched text is written back unchanged,
// and a value written reads back exactly, with every other entry kept.
#include "core/foundation/ini_document.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    vellum::IniDocument doc = vellum::IniDocument::parse(text);
    const QString written = doc.serialize();
    if (vellum::IniDocument::parse(written).serialize() != written)
        std::abort();

    // The first line names the key and the rest is the value, so the fuzzer explores both.
    const int cut = text.indexOf(QLatin1Char('\n'));
    const QString key = cut < 0 ? text : text.left(cut);
    const QString value = cut < 0 ? QString() : text.mid(cut + 1);
    const QStringList before = doc.sections();
    doc.setValue(QStringLiteral("Fuzz"), key, value);
    vellum::IniDocument reread = vellum::IniDocument::parse(doc.serialize());
    const std::optional<QString> back = reread.value(QStringLiteral("Fuzz"), key);
    QString expected = value;
    expected.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (!key.trimmed().isEmpty() && (!back || *back != expected))
        std::abort();
    for (const QString& section : before) {
        if (!reread.sections().contains(section))
            std::abort();
    }
    return 0;
}
