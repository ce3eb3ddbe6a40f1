#include "core/editor/link_check.h"

#include "core/editor/start_tag.h"
#include "core/foundation/line_breaks.h"
#include "core/foundation/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace vellum {

namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Whether a start tag's text has something after its name: an attribute follows a space or "/".
bool hasAttributes(QStringView tag) {
    return std::any_of(tag.begin(), tag.end(), [](QChar c) {
        return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f' || c == u'/';
    });
}

const char16_t* const LinkAttributes[] = {u"src", u"href", u"background", u"action"};

struct PageLinks {
    QList<PageReference> references;
    QSet<QString> anchors;
};

// One pass over the start tags for both the references and the anchors, since the lexer's walk
// over a large page is what costs.
PageLinks readPage(const QString& text) {
    PageLinks page;
    forEachStartTag(text, [&](int start, int end) {
        // Most tags of a page have no attribute at all, and then nothing to read.
        if (!hasAttributes(QStringView(text).sliced(start, end - start)))
            return true;
        const std::optional<StartTag> tag = parseStartTag(text.mid(start, end - start));
        if (!tag)
            return true;
        const qsizetype first = page.references.size();
        for (const char16_t* name : LinkAttributes) {
            const TagAttribute* attribute = tag->attribute(name);
            if (!attribute)
                continue;
            // An attribute without a value is shown by its name.
            const int from = attribute->hasValue ? attribute->valueStart : attribute->start;
            const int to = attribute->hasValue ? attribute->valueEnd : attribute->end;
            page.references.append(
                {tag->name, QString::fromUtf16(name), attribute->value, start + from, start + to});
        }
        // Within the tag, in the order they are written.
        std::sort(page.references.begin() + first, page.references.end(),
                  [](const PageReference& a, const PageReference& b) { return a.start < b.start; });
        const TagAttribute* id = tag->attribute(u"id");
        if (id && !id->value.isEmpty())
            page.anchors.insert(id->value);
        const TagAttribute* name =
            tag->name == QLatin1String("A") ? tag->attribute(u"name") : nullptr;
        if (name && !name->value.isEmpty())
            page.anchors.insert(name->value);
        return true;
    });
    return page;
}

QString percentDecoded(const QString& text) {
    if (!text.contains(u'%'))
        return text;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(text.toUtf8()));
}

// The scheme of an address ("http", "file"), or an empty string for a relative one.
QString schemeOf(const QString& value) {
    if (value.isEmpty() || !isAsciiLetter(value[0]))
        return {};
    for (int i = 1; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u':')
            return value.left(i).toLower();
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return {};
    }
    return {};
}

// A browser goes to the top of a page for "#top" and for "#" even when no anchor has the name.
bool hasAnchor(const QSet<QString>& anchors, const QString& fragment) {
    return fragment.isEmpty() || fragment.compare(u"top", Qt::CaseInsensitive) == 0 ||
           anchors.contains(fragment) || anchors.contains(percentDecoded(fragment));
}

bool isHtmlFile(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == u"htm" || suffix == u"html" || suffix == u"shtml" || suffix == u"xhtml";
}

// Where a link's path leads on disk, and how the names there are spelt.
struct Lookup {
    bool exists = false;
    QString path;    // the file or folder found
    QString written; // the link's path as written with each name as the file system spells it
    bool otherCase = false;
};

// Looks paths up name by name in directory listings read once per check, so that a name is
// compared with the case it has on disk even where the file system ignores case.
class FileLookups {
public:
    // `from` is a folder taken as it is; `written` the link's path from there, with "/" between
    // names and percent escapes as written.
    Lookup find(const QString& from, const QString& written) {
        const QString key = from + u'\n' + written;
        auto cached = m_lookups.constFind(key);
        if (cached != m_lookups.constEnd())
            return *cached;
        return m_lookups.insert(key, walk(from, written)).value();
    }

private:
    struct Listing {
        bool readable = false;
        QSet<QString> names;
        QHash<QString, QString> byFoldedCase;
    };

    const Listing& listing(const QString& folder) {
        const auto known = m_listings.find(folder);
        if (known != m_listings.end())
            return known->second;
        Listing& slot = m_listings[folder];
        const QDir dir(folder);
        slot.readable = dir.isReadable();
        const QStringList names =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            slot.names.insert(name);
            slot.byFoldedCase.insert(name.toCaseFolded(), name);
        }
        return slot;
    }

    Lookup walk(const QString& from, const QString& written) {
        // An address drops the name before "..", whether or not it names a folder, before
        // anything is looked up.
        QStringList parts;
        for (const QString& part : written.split(u'/')) {
            const QString last =
                parts.isEmpty() ? QStringLiteral("..") : percentDecoded(parts.last());
            const bool named = last != u"." && last != u"..";
            if (percentDecoded(part) == u".." && named)
                parts.removeLast();
            else
                parts.append(part);
        }
        Lookup found;
        QString folder = from;
        for (QString& part : parts) {
            const QString name = percentDecoded(part);
            if (name.isEmpty() || name == u".")
                continue;
            if (name == u"..") {
                folder = QFileInfo(folder).path();
                continue;
            }
            if (name.contains(QChar()))
                return found;
            const Listing& names = listing(folder);
            QString spelt = name;
            if (!names.names.contains(name)) {
                spelt = names.byFoldedCase.value(name.toCaseFolded());
                // A folder that cannot be listed may still be passed through.
                if (spelt.isEmpty() && !names.readable && QFileInfo::exists(folder + u'/' + name))
                    spelt = name;
                if (spelt.isEmpty())
                    return found;
            }
            if (spelt != name) {
                found.otherCase = true;
                part = spelt;
            }
            folder = folder.endsWith(u'/') ? folder + spelt : folder + u'/' + spelt;
        }
        // A path that ends in "/" names a folder, and a file is none.
        found.exists = !written.endsWith(u'/') || QFileInfo(folder).isDir();
        found.path = folder;
        found.written = parts.join(u'/');
        return found;
    }

    std::unordered_map<QString, Listing> m_listings; // its nodes stay where they are

    QHash<QString, Lookup> m_lookups;
};

// Where a page's relative links lead: a folder taken as it is, or nowhere under a remote BASE.
struct Base {
    bool remote = false;
    QString folder;
};

// A local address: the folder it starts from and its path from there, as written.
struct LocalPath {
    QString from;
    QString path;
};

// Where `path` (an address without its query and fragment) is on disk; null for a remote one.
std::optional<LocalPath> localPath(const QString& path, const Base& base) {
    const QString scheme = schemeOf(path);
    if (scheme == u"file") {
        QString rest = path.mid(5);
        if (rest.startsWith(u"//")) {
            const qsizetype slash = rest.indexOf(u'/', 2);
            const QString host = rest.mid(2, slash < 0 ? -1 : slash - 2);
            if (!host.isEmpty() && host.compare(u"localhost", Qt::CaseInsensitive) != 0)
                return std::nullopt;
            rest = slash < 0 ? QString() : rest.mid(slash);
        }
        if (!rest.startsWith(u'/'))
            return std::nullopt;
        return LocalPath{QStringLiteral("/"), rest.mid(1)};
    }
    if (!scheme.isEmpty() || path.startsWith(u"//") || base.remote || base.folder.isEmpty())
        return std::nullopt;
    if (path.startsWith(u'/'))
        return LocalPath{QStringLiteral("/"), path.mid(1)};
    return LocalPath{base.folder, path};
}

// The address without its query and fragment.
QString pathPart(const QString& link) {
    qsizetype end = link.indexOf(u'#');
    const qsizetype query = link.indexOf(u'?');
    if (query >= 0 && (end < 0 || query < end))
        end = query;
    return end < 0 ? link : link.left(end);
}

// The first BASE with an address decides where relative links lead, as browsers take it.
Base baseOf(const QList<PageReference>& references, const QString& folder) {
    Base base{false, folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath())};
    for (const PageReference& reference : references) {
        if (reference.element != u"BASE" || reference.attribute != u"href")
            continue;
        const QString path = pathPart(reference.value.trimmed());
        if (path.isEmpty())
            return base;
        const std::optional<LocalPath> local = localPath(path, base);
        if (!local) {
            base.remote = !schemeOf(path).isEmpty() || path.startsWith(u"//");
            return base;
        }
        // The base names a page or, ending in "/", a folder: links start from its folder.
        const QString folderPart = local->path.left(local->path.lastIndexOf(u'/') + 1);
        base.folder = QDir::cleanPath(local->from + u'/' + percentDecoded(folderPart));
        return base;
    }
    return base;
}

class LinkChecker {
public:
    LinkChecker(const PageLinks& page, const QString& folder, const QString& documentPath)
        : m_page(page), m_base(baseOf(page.references, folder)),
          m_self(documentPath.isEmpty() ? QString() : QFileInfo(documentPath).absoluteFilePath()) {}

    // What is wrong with a link, or null. A page names the same few files over and over.
    const std::optional<QString>& fault(const QString& value) {
        const auto known = m_faults.find(value);
        if (known != m_faults.end())
            return known->second;
        return m_faults.emplace(value, check(value)).first->second;
    }

private:
    std::optional<QString> check(const QString& value) {
        // Browsers leave out the tabs and line breaks of an address, as if it were on one line.
        QString link = value.trimmed();
        link.remove(u'\t').remove(u'\r').remove(u'\n');
        const QString path = pathPart(link);
        const qsizetype hash = link.indexOf(u'#');
        const QString fragment = hash < 0 ? QString() : link.mid(hash + 1);
        if (path.isEmpty()) {
            if (hash < 0 || m_base.remote || hasAnchor(m_page.anchors, fragment))
                return std::nullopt;
            return QStringLiteral("There is no anchor \"%1\" in this page")
                .arg(percentDecoded(fragment));
        }
        // Only one desktop system reads a backslash as a folder separator.
        const bool backslashes = path.contains(u'\\');
        QString slashed = path;
        slashed.replace(u'\\', u'/');
        const std::optional<LocalPath> local = localPath(slashed, m_base);
        if (!local)
            return std::nullopt;
        const Lookup found = m_files.find(local->from, local->path);
        if (!found.exists)
            return QStringLiteral("%1 does not exist").arg(path);
        const QString spelt = slashed.left(slashed.size() - local->path.size()) + found.written;
        if (backslashes)
            return QStringLiteral("%1 uses backslashes; write %2").arg(path, spelt);
        if (found.otherCase)
            return QStringLiteral("%1 exists, but the link says %2").arg(spelt, path);
        if (hash < 0)
            return std::nullopt;
        const std::optional<QSet<QString>>& anchors = anchorsOf(found.path);
        if (!anchors || hasAnchor(*anchors, fragment))
            return std::nullopt;
        return QStringLiteral("There is no anchor \"%1\" in %2")
            .arg(percentDecoded(fragment), path);
    }

    // The anchors of a local page; null for a file that is no page or cannot be read.
    const std::optional<QSet<QString>>& anchorsOf(const QString& path) {
        const auto known = m_anchors.find(path);
        if (known != m_anchors.end())
            return known->second;
        std::optional<QSet<QString>>& anchors = m_anchors[path];
        const QFileInfo file(path);
        if (isSelf(file)) {
            // The page as it is being edited, not as it was last saved.
            anchors = m_page.anchors;
        } else if (file.isFile() && isHtmlFile(path)) {
            QFile page(path);
            if (page.open(QIODevice::ReadOnly)) {
                FileFormat format;
                anchors =
                    readPage(normalizeLineBreaks(decodeDocument(page.readAll(), format))).anchors;
            }
        }
        return anchors;
    }

    bool isSelf(const QFileInfo& file) const {
        if (m_self.isEmpty())
            return false;
        if (QDir::cleanPath(file.absoluteFilePath()) == QDir::cleanPath(m_self))
            return true;
        const QString canonical = file.canonicalFilePath();
        return !canonical.isEmpty() && canonical == QFileInfo(m_self).canonicalFilePath();
    }

    const PageLinks& m_page;
    const Base m_base;
    const QString m_self;
    FileLookups m_files;
    std::unordered_map<QString, std::optional<QSet<QString>>> m_anchors;
    std::unordered_map<QString, std::optional<QString>> m_faults;
};

} // namespace

QList<PageReference> pageReferences(const QString& text) {
    return readPage(text).references;
}

QSet<QString> pageAnchors(const QString& text) {
    return readPage(text).anchors;
}

QList<Finding> linkFindings(const QString& text, const QString& folder,
                            const QString& documentPath) {
    const PageLinks page = readPage(text);
    LinkChecker checker(page, folder, documentPath);
    const LineIndex lines(text);
    QList<Finding> findings;
    for (const PageReference& reference : page.references) {
        // A BASE's address is where links start from, not a link of its own.
        if (reference.element == u"BASE")
            continue;
        const std::optional<QString>& fault = checker.fault(reference.value);
        if (!fault)
            continue;
        const TextPoint point = lines.pointOf(reference.start);
        findings.append(
            {FindingKind::Link, reference.start, reference.end, point.line, point.column, *fault});
    }
    return findings;
}

} // namespace vellum
