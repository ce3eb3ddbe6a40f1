// Any text with the caret anywhere: the start tag found at the caret lies in the text around the
// caret, begins with "<" and ends with ">", reads back the same from its own text; rewritten after
// the same tag it stays as it was, and after a bare tag of its name it keeps every attribute with
// its value; every attribute lies inside its tag; any value written with the encoding reads back
// as it was.
#include "core/editor/start_tag.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    // The first two bytes place the caret; the rest is the text, one character per byte, as
    // markup is ASCII.
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 2),
                                             static_cast<qsizetype>(size - 2));
    const int caret = static_cast<int>((data[0] | data[1] << 8) % (text.size() + 1));

    for (const QChar quote : {QChar(u'"'), QChar(u'\''), QChar()})
        check(vellum::decodeEntities(vellum::encodeAttributeValue(text, quote)) == text);

    const std::optional<vellum::StartTag> tag = vellum::startTagAt(text, caret);
    if (!tag)
        return 0;
    check(0 <= tag->start && tag->start <= caret && caret <= tag->end && tag->end <= text.size());
    check(tag->text == text.mid(tag->start, tag->end - tag->start));
    check(tag->text.startsWith(u'<') && tag->text.endsWith(u'>'));
    QStringList names;
    for (const vellum::TagAttribute& attribute : tag->attributes) {
        check(0 < attribute.start && attribute.start < attribute.end &&
              attribute.end < tag->text.size());
        names << attribute.name.toLower();
    }
    const std::optional<vellum::StartTag> again = vellum::parseStartTag(tag->text);
    check(again && again->name == tag->name && again->attributes.size() == tag->attributes.size());
    check(vellum::rewriteStartTag(*tag, *again, names) == tag->text);
    // A helper that writes none of the attributes keeps every one of them as it was.
    const std::optional<vellum::StartTag> bare =
        vellum::parseStartTag(QLatin1Char('<') + tag->name + QLatin1Char('>'));
    check(bare.has_value());
    const std::optional<vellum::StartTag> kept =
        vellum::parseStartTag(vellum::rewriteStartTag(*tag, *bare, {}));
    check(kept && kept->attributes.size() == tag->attributes.size());
    for (int i = 0; i < tag->attributes.size(); ++i) {
        check(kept->attributes[i].name == tag->attributes[i].name);
        check(kept->attributes[i].value == tag->attributes[i].value);
    }
    return 0;
}
