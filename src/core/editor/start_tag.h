#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <optional>

namespace vellum {

/// One attribute of a start tag as it is written: where it stands in the tag's text, its name as
/// spelt, and its value with entities decoded. `quote` is '"' or '\'' for a quoted value, a null
/// character for an unquoted one or an attribute written without a value.
struct TagAttribute {
    QString name;
    QString value;
    bool hasValue = false;
    QChar quote;
    /// The attribute's characters in the tag's text, from its name to the end of its value.
    int start = 0;
    int end = 0;
    /// The value's characters as written in the tag's text, inside its quotes; both at `end` when
    /// the attribute has no value.
    int valueStart = 0;
    int valueEnd = 0;
};

/// A start tag found in a document: its place, its text and its attributes in order.
struct StartTag {
    /// The tag's characters in the document, from its "<" to just after its ">".
    int start = 0;
    int end = 0;
    /// The tag's text as written, "<" and ">" included.
    QString text;
    /// The element name in upper case ("TABLE").
    QString name;
    QList<TagAttribute> attributes;

    /// The first attribute of that name (case-blind), or null. Browsers take the first of two
    /// attributes with one name, and so does every reader here.
    const TagAttribute* attribute(QStringView name) const;
    /// Its value (entities decoded), or `fallback` when the tag has no such attribute.
    QString value(QStringView name, const QString& fallback = {}) const;
    bool has(QStringView name) const { return attribute(name) != nullptr; }
};

/// Reads a start tag from its text ("<" to ">"): the name and every attribute, quoted or not, in
/// any case. Null when `text` is not a start tag.
std::optional<StartTag> parseStartTag(const QString& text);

/// Calls `visit` with the place of each start tag of `document` (a text with CR LF breaks), from
/// its "<" to just after its ">", in order, until it returns false. Comments, quoted ">" in values
/// and the content of script and style elements hold no tags, and end tags are left out; what is
/// handed over looks like a start tag and parseStartTag reads it.
void forEachStartTag(const QString& document, const std::function<bool(int start, int end)>& visit);

/// The start tag that holds the caret in `document` (a text with CR LF breaks): the caret anywhere
/// from its "<" to its ">", or right after the ">". Comments, quoted ">" in values and the content
/// of script and style elements never count as tags; an end tag is not a start tag. Null when the
/// caret is in no start tag.
std::optional<StartTag> startTagAt(const QString& document, int caret);

/// True while `document` holds exactly `tag`'s text at `tag`'s place.
bool stillHolds(const QString& document, const StartTag& tag);

/// Decodes the character references of an attribute value ("&amp;", "&#34;", "&#x22;", "&quot;",
/// "&lt;", "&gt;", "&apos;", "&nbsp;"); an "&" that starts none of them stays as it is.
QString decodeEntities(QStringView value);
/// Encodes what a value cannot hold as written: "&" before a reference, and the quote it stands in.
QString encodeAttributeValue(QStringView value, QChar quote);

/// The new text of `original` (a start tag as the document holds it) after a helper wrote
/// `generated` for it. The helper's own attributes (`helperAttributes`, in lower case) are written
/// as `generated` writes them, and go when it leaves them out; every other attribute of `original`
/// (class, id, style, event handlers...) stays as it was spelt and quoted, after the helper's
/// attribute it followed (after the name when none). A tag with no such attribute becomes exactly
/// `generated`.
QString rewriteStartTag(const StartTag& original, const StartTag& generated,
                        const QStringList& helperAttributes);

} // namespace vellum
