#include "core/helpers/link_code.h"

#include "core/editor/insertion.h"
#include "core/editor/start_tag.h"
#include "core/foundation/enum_text.h"

namespace vellum {

namespace {

using Protocol = LinkOptions::Protocol;

const QString Target = QStringLiteral(" target=\"\"");

QString protocolText(Protocol protocol) {
    // In the order of LinkOptions::Protocol; no protocol writes none.
    static const char* const texts[] = {
        "http://", "ftp://", "gopher://", "news:", "telnet://", "mailto:", nullptr};
    return enumText(texts, protocol);
}

bool offersFile(Protocol protocol) {
    return protocol == Protocol::Http || protocol == Protocol::Ftp || protocol == Protocol::None;
}

QString anchor(const QString& reference, const QString& target) {
    QString safe = reference;
    safe.replace(QLatin1Char('"'), QLatin1String("%22"));
    return QStringLiteral("<A href=\"") + safe + QLatin1Char('"') + target + QLatin1Char('>');
}

} // namespace

LinkCode linkGenerator(const LinkOptions& o) {
    LinkCode code;
    code.hint = QStringLiteral("an URL");
    if (o.name) {
        code.open = QStringLiteral("<A name=\"\">");
        code.hint = QStringLiteral("a NAME");
        return code;
    }
    QString protocol = protocolText(o.protocol);
    QString target;
    const bool targetOffered = offersFile(o.protocol) || o.protocol == Protocol::Gopher;
    if (o.target && targetOffered) {
        target = Target;
        code.back = 12;
    }
    if (o.target && o.protocol == Protocol::Mailto) {
        protocol = QStringLiteral("mailto:?subject= ");
        code.back = 12;
        code.hint = QStringLiteral("an ADDRESS");
    }
    if (o.useFile && offersFile(o.protocol)) {
        code.needsFile = true;
        return code;
    }
    code.open =
        QStringLiteral("<A href=\"") + protocol + QLatin1Char('"') + target + QLatin1Char('>');
    return code;
}

QString fileLinkOpen(const LinkOptions& o, const QString& file, const QString& documentPath,
                     PathStyle style) {
    const FileReference reference = fileReference(file, documentPath, o.path, style);
    const QString href =
        reference.absolute ? reference.output : protocolText(o.protocol) + reference.output;
    return anchor(href, o.target ? Target : QString());
}

void insertLink(Insertions& insertions, InsertionSlots& shared, const LinkCode& code) {
    if (!insertions.hasDocument())
        return;
    shared.tagOpen = code.open;
    shared.tagClose = code.close;
    shared.tipText = code.hint;
    insertions.wrapWithHint(code.hint, code.back);
}

namespace {

const QString MailSubject = QStringLiteral("?subject=");

// The protocol an address starts with (case-blind), None for one that starts with none.
Protocol protocolOf(const QString& href) {
    for (int i = 0; i < static_cast<int>(Protocol::None); ++i) {
        const auto protocol = static_cast<Protocol>(i);
        if (href.startsWith(protocolText(protocol), Qt::CaseInsensitive))
            return protocol;
    }
    return Protocol::None;
}

} // namespace

std::optional<LinkOptions> linkOptionsFromTag(const StartTag& tag, PathStyle style, QString* file) {
    if (tag.name != QLatin1String("A"))
        return std::nullopt;
    LinkOptions o;
    if (tag.has(u"name") && !tag.has(u"href")) {
        o.name = true;
        return o;
    }
    const QString href = tag.value(u"href");
    const ReadReference read = readFileReference(href, QString(), style);
    if (read.mode == PathMode::Absolute) {
        o.useFile = true;
        o.path = PathMode::Absolute;
        o.target = tag.has(u"target");
        if (file)
            *file = read.file;
        return o;
    }
    o.protocol = protocolOf(href);
    o.target = o.protocol == Protocol::Mailto ? href.contains(MailSubject, Qt::CaseInsensitive)
                                              : tag.has(u"target");
    return o;
}

bool linkHrefKept(const QString& generated, const QString& original) {
    const Protocol protocol = protocolOf(generated);
    const bool subject = generated.contains(MailSubject);
    const QString bare = subject ? QStringLiteral("mailto:") + MailSubject + QLatin1Char(' ')
                                 : protocolText(protocol);
    return generated == bare && protocolOf(original) == protocol &&
           original.contains(MailSubject, Qt::CaseInsensitive) == subject;
}

} // namespace vellum
