#include "core/helpers/link_code.h"

#include "core/editor/insertion.h"
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

} // namespace vellum
