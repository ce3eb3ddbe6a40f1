#include "core/helpers/helper_tags.h"

#include "core/helpers/form_code.h"
#include "core/helpers/link_code.h"

namespace vellum {

namespace {

struct TagHelper {
    const char* tag;
    const char* helper;
    const char* attributes;
};

// Each tag a helper writes, with the attributes it writes there.
const TagHelper TagHelpers[] = {
    {"TABLE", "Table", "width height bgcolor align valign cellspacing cellpadding border"},
    {"TR", "Table", "align valign"},
    {"TD", "Table", "width height bgcolor colspan rowspan align valign nowrap"},
    {"TH", "Table", "width height bgcolor colspan rowspan align valign nowrap"},
    {"BODY", "Document", "background bgcolor text link alink vlink"},
    {"IMG", "Image", "src alt border align height width hspace vspace"},
    {"FONT", "Font", "color size"},
    {"A", "Link", "href name target"},
    {"FORM", "Form", "method action"},
    {"INPUT", "Form", "type maxlength size name value"},
    {"SELECT", "Form", "size multiple name"},
    {"TEXTAREA", "Form", "columns rows"},
    {"UL", "List", "start"},
    {"OL", "List", "start"},
    {"DL", "List", "start"},
    {"LI", "List", "type"},
    {"DT", "List", "type"},
};

const TagHelper* tagHelper(const StartTag& tag) {
    for (const TagHelper& entry : TagHelpers) {
        if (tag.name == QLatin1String(entry.tag))
            return &entry;
    }
    return nullptr;
}

// A background on a tag the Document helper does not write belongs to the Image helper.
bool imageBackground(const StartTag& tag) {
    return tag.name != QLatin1String("BODY") && tag.has(u"background");
}

// The first start tag of `code` that `wanted` accepts.
template <typename Wanted> std::optional<StartTag> firstTagOf(const QString& code, Wanted wanted) {
    for (int at = static_cast<int>(code.indexOf(QLatin1Char('<'))); at >= 0;
         at = static_cast<int>(code.indexOf(QLatin1Char('<'), at + 1))) {
        std::optional<StartTag> tag = startTagAt(code, at);
        if (tag && tag->start == at && wanted(*tag))
            return tag;
    }
    return std::nullopt;
}

// The first tag of `code` that `helper` edits; the Image helper's background is an attribute
// alone, put in a tag named as `original`.
std::optional<StartTag> helperTagOf(const QString& code, const QString& helper,
                                    const StartTag& original) {
    if (helper == QLatin1String("Image") && code.startsWith(QLatin1String("background="))) {
        std::optional<StartTag> tag =
            parseStartTag(QLatin1Char('<') + original.text.mid(1, original.name.size()) +
                          QLatin1Char(' ') + code + QLatin1Char('>'));
        return tag && tag->attributes.size() == 1 ? tag : std::nullopt;
    }
    return firstTagOf(code, [&](const StartTag& tag) { return helperForTag(tag) == helper; });
}

QString spanOf(const StartTag& tag, const TagAttribute& attribute) {
    return tag.text.mid(attribute.start, attribute.end - attribute.start);
}

// What the user wrote for an attribute the helper leaves to fill in, as `original` has it.
QString filledIn(const StartTag& original, const TagAttribute& made, const QString& madeText) {
    const TagAttribute* had = original.attribute(made.name);
    const bool href = made.name.compare(QLatin1String("href"), Qt::CaseInsensitive) == 0;
    if (had && had->hasValue &&
        (made.value.isEmpty() || (href && linkHrefKept(made.value, had->value))))
        return spanOf(original, *had);
    // "hspace= vspace=" leaves two values to fill in, though browsers read one attribute whose
    // value is "vspace=".
    const bool pair = made.hasValue && made.quote.isNull() &&
                      made.value.endsWith(QLatin1Char('=')) &&
                      made.value.count(QLatin1Char('=')) == 1;
    if (!pair)
        return madeText;
    QStringList parts;
    for (const QString& name : {made.name, made.value.chopped(1)}) {
        const TagAttribute* filled = original.attribute(name);
        const bool typed = filled && !filled->value.isEmpty() && !filled->value.endsWith(u'=');
        parts << (typed ? spanOf(original, *filled) : name + QLatin1Char('='));
    }
    return parts.join(QLatin1Char(' '));
}

// `generated` with the values the user filled in, as `original` has them.
QString keepFilledIn(const StartTag& original, const StartTag& generated) {
    QString text = generated.text;
    for (int g = static_cast<int>(generated.attributes.size()) - 1; g >= 0; --g) {
        const TagAttribute& made = generated.attributes[g];
        text.replace(made.start, made.end - made.start,
                     filledIn(original, made, spanOf(generated, made)));
    }
    return text;
}

} // namespace

QString helperForTag(const StartTag& tag) {
    if (imageBackground(tag))
        return QStringLiteral("Image");
    const TagHelper* entry = tagHelper(tag);
    if (!entry)
        return {};
    if (tag.name == QLatin1String("INPUT") && !formOptionsFromTag(tag))
        return {};
    return QString::fromLatin1(entry->helper);
}

QStringList helperAttributes(const StartTag& tag) {
    if (imageBackground(tag))
        return {QStringLiteral("background")};
    const TagHelper* entry = tagHelper(tag);
    return entry ? QString::fromLatin1(entry->attributes).split(QLatin1Char(' ')) : QStringList();
}

std::optional<StartTag> firstStartTag(const QString& code) {
    return firstTagOf(code, [](const StartTag&) { return true; });
}

QString updatedStartTag(const StartTag& original, const QString& code, const QString& helper) {
    std::optional<StartTag> generated = helperTagOf(code, helper, original);
    if (!generated)
        return {};
    QString text = keepFilledIn(original, *generated);
    // The helper writes TD for every cell; a heading cell stays one.
    if (original.name == QLatin1String("TH") && generated->name == QLatin1String("TD"))
        text.replace(1, 2, original.text.mid(1, 2));
    // A new table is centred by a CENTER around it; one centred by its own attribute stays so.
    const TagAttribute* align = original.attribute(u"align");
    const std::optional<StartTag> first = firstStartTag(code);
    if (original.name == QLatin1String("TABLE") && align &&
        align->value.compare(QLatin1String("center"), Qt::CaseInsensitive) == 0 &&
        !generated->has(u"align") && first && first->name == QLatin1String("CENTER"))
        text.insert(1 + generated->name.size(), QLatin1Char(' ') + spanOf(original, *align));
    generated = parseStartTag(text);
    if (!generated)
        return {};
    return rewriteStartTag(original, *generated, helperAttributes(original));
}

} // namespace vellum
