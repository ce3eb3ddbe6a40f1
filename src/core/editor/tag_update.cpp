#include "core/editor/tag_update.h"

namespace vellum {

TagVocabulary vocabularyOf(const char* written, const char* completedByUser) {
    return {QString::fromLatin1(written).split(QLatin1Char(' '), Qt::SkipEmptyParts),
            QString::fromLatin1(completedByUser).split(QLatin1Char(' '), Qt::SkipEmptyParts)};
}

std::optional<StartTag> helperTagIn(const QString& code, const QString& name) {
    std::optional<StartTag> first;
    for (int at = code.indexOf(QLatin1Char('<')); at >= 0;
         at = code.indexOf(QLatin1Char('<'), at + 1)) {
        std::optional<StartTag> tag = startTagAt(code, at + 1);
        if (!tag || tag->start != at)
            continue;
        if (tag->name == name)
            return tag;
        if (!first)
            first = std::move(tag);
    }
    return first;
}

bool stillHolds(const QString& document, const StartTag& tag) {
    return QStringView(document).mid(tag.start, tag.end - tag.start) == tag.text;
}

QString rewriteKeepingUserValues(const StartTag& original, const StartTag& generated,
                                 const TagVocabulary& vocabulary) {
    QString text = generated.text;
    // From the last attribute to the first, so that the places before stay where they were.
    for (auto a = generated.attributes.crbegin(); a != generated.attributes.crend(); ++a) {
        if (!vocabulary.completedByUser.contains(a->name.toLower()))
            continue;
        const TagAttribute* own = original.attribute(a->name);
        if (!own) {
            // An empty start the edited tag never had stays out, with the space before it.
            if (a->value.isEmpty())
                text.remove(a->start - 1, a->end - a->start + 1);
            continue;
        }
        if (own->hasValue && own->value.startsWith(a->value))
            text.replace(a->start, a->end - a->start,
                         original.text.mid(own->start, own->end - own->start));
    }
    const std::optional<StartTag> completed = parseStartTag(text);
    return rewriteStartTag(original, completed ? *completed : generated, vocabulary.written);
}

} // namespace vellum
