#include "core/helpers/form_code.h"

#include "core/editor/insertion.h"
#include "core/editor/start_tag.h"
#include "core/helpers/scratch_code.h"

namespace vellum {

namespace {

using Kind = FormOptions::Kind;

QString options(const QString& indent, int count) {
    QString out;
    for (int i = 0; i < count; ++i)
        out += indent + QStringLiteral("  <OPTION> ") + CrLf;
    return out;
}

/// One field of a kind that repeats `count` times.
QString field(const FormOptions& o, const QString& indent) {
    switch (o.kind) {
    case Kind::Hidden:
        return indent + QStringLiteral("<INPUT type=\"hidden\" name=\"\" value=\"\">") + CrLf;
    case Kind::Password:
    case Kind::Text:
        return indent +
               (o.kind == Kind::Password ? QStringLiteral("<INPUT type=\"password\"")
                                         : QStringLiteral("<INPUT type=\"text\"")) +
               (o.maxLength ? QStringLiteral(" maxlength=") + o.first : QString()) +
               QStringLiteral(" size=") + o.second + QStringLiteral(" name=\"\" value=\"\">") +
               CrLf;
    case Kind::TextArea:
        // The attribute is spelled as the helper has always written it.
        return indent + QStringLiteral("<TEXTAREA columns=") + o.first + QStringLiteral(" rows=") +
               o.second + QStringLiteral("></TEXTAREA>") + CrLf;
    case Kind::Radio:
    case Kind::Check:
        return indent +
               (o.kind == Kind::Radio ? QStringLiteral("<INPUT type=\"radio\" name=\"")
                                      : QStringLiteral("<INPUT type=\"checkbox\" name=\"")) +
               o.group + QStringLiteral("\" value=\"\"> ") + CrLf;
    case Kind::ListBox:
        return indent + QStringLiteral("<SELECT size=") + o.second +
               (o.yes ? QStringLiteral(" multiple") : QString()) + QStringLiteral(" name=\"\">") +
               CrLf + options(indent, o.options) + indent + QStringLiteral("</SELECT>") + CrLf;
    case Kind::DropList:
        return indent + QStringLiteral("<SELECT size=1 name=\"\">") + CrLf +
               options(indent, o.options) + indent + QStringLiteral("</SELECT>") + CrLf;
    default:
        return {};
    }
}

// Counts are typed freely: code longer than the scratch editor holds is refused before anything
// is built. Each field has at most a line of its own plus its option lines.
bool fits(const FormOptions& o) {
    const bool list = o.kind == Kind::ListBox || o.kind == Kind::DropList;
    const qint64 line =
        qint64(std::max(0, o.indent)) + 64 + o.first.size() + o.second.size() + o.group.size();
    const bool once = o.kind == Kind::NewForm || o.kind == Kind::Submit || o.kind == Kind::Reset;
    const qint64 lines = list ? 2 + qint64(std::max(0, o.options)) : 2;
    return fitsScratch(lines, line) && fitsScratch(once ? 1 : o.count, lines * line);
}

} // namespace

QString formGenerator(const FormOptions& o, bool* tooLarge) {
    const bool refused = !fits(o);
    if (tooLarge)
        *tooLarge = refused;
    if (refused)
        return {};
    switch (o.kind) {
    case Kind::None:
        return {};
    case Kind::NewForm: {
        const QString indent = tabs(o.indent > 1 ? o.indent - 1 : 0);
        return indent + QStringLiteral("<FORM method=\"") +
               (o.yes ? QStringLiteral("Get") : QStringLiteral("Post")) +
               QStringLiteral("\" action=\"\">") + CrLf + CrLf + indent + QStringLiteral("</FORM>");
    }
    case Kind::Submit:
        return tabs(o.indent) + QStringLiteral("<INPUT type=\"submit\" value=\"\">") + CrLf;
    case Kind::Reset:
        return tabs(o.indent) + QStringLiteral("<INPUT type=\"reset\" value=\"\">") + CrLf;
    default:
        return field(o, tabs(o.indent)).repeated(std::max(0, o.count));
    }
}

void insertForm(Insertions& insertions, TextControl& scratch, FormOptions::Kind kind,
                const QString& code) {
    if (code.isEmpty() || !insertions.hasDocument())
        return;
    if (kind == Kind::NewForm) {
        scratch.selectAll();
        scratch.replaceSelection(code);
        insertions.openFreshLine();
        insertions.insertScratch();
        insertions.gotoLine(0);
        return;
    }
    scratch.replaceSelection(code);
    insertions.insertScratch();
}

namespace {

// The input types the helper writes, by kind.
const std::pair<const char*, Kind> InputKinds[] = {
    {"hidden", Kind::Hidden}, {"password", Kind::Password}, {"text", Kind::Text},
    {"radio", Kind::Radio},   {"checkbox", Kind::Check},    {"submit", Kind::Submit},
    {"reset", Kind::Reset},
};

std::optional<FormOptions> inputOptions(const StartTag& tag) {
    // An input with no type is a text box to browsers.
    const QString type = tag.value(u"type", QStringLiteral("text"));
    FormOptions o;
    o.kind = Kind::None;
    for (const auto& [name, kind] : InputKinds) {
        if (type.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            o.kind = kind;
    }
    if (o.kind == Kind::None)
        return std::nullopt;
    o.maxLength = tag.has(u"maxlength");
    o.first = tag.value(u"maxlength", o.first);
    o.second = tag.value(u"size", o.second);
    o.group = tag.value(u"name");
    return o;
}

} // namespace

std::optional<FormOptions> formOptionsFromTag(const StartTag& tag) {
    if (tag.name == QLatin1String("INPUT"))
        return inputOptions(tag);
    FormOptions o;
    if (tag.name == QLatin1String("FORM")) {
        o.yes = tag.value(u"method").compare(QLatin1String("get"), Qt::CaseInsensitive) == 0;
    } else if (tag.name == QLatin1String("SELECT")) {
        o.yes = tag.has(u"multiple");
        o.second = tag.value(u"size", o.second);
        o.kind = o.second == QLatin1String("1") && !o.yes ? Kind::DropList : Kind::ListBox;
    } else if (tag.name == QLatin1String("TEXTAREA")) {
        o.kind = Kind::TextArea;
        o.first = tag.value(u"columns", o.first);
        o.second = tag.value(u"rows", o.second);
    } else {
        return std::nullopt;
    }
    return o;
}

} // namespace vellum
