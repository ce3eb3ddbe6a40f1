#include "core/app/preview.h"

#include "core/app/document.h"
#include "core/app/document_file.h"
#include "core/app/workspace.h"
#include "core/editor/text_control.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace vellum {

namespace {

QString lowerAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return out;
}

// How many names a preview tries in one folder before it gives up: enough for any folder a
// person keeps, and a bound for one whose names all seem taken.
constexpr int PreviewNames = 1000;

// The preview file's name with `number` before its extension: "_&temp3.htm"; 0 is the name itself.
QString numberedName(const QString& path, int number) {
    if (number == 0)
        return path;
    static const QString extension = QStringLiteral(".htm");
    return path.chopped(extension.size()) + QString::number(number) + extension;
}

// Anything at the name, a link that leads nowhere included.
bool nameInUse(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

QString previewFilePath(const QString& documentKey, const QString& dataDir, PathStyle style) {
    QString folder = directoryPart(documentKey, style);
    if (folder.isEmpty()) {
        const QChar separator = style == PathStyle::Windows ? QLatin1Char('\\') : QLatin1Char('/');
        folder = dataDir;
        if (!folder.endsWith(separator))
            folder += separator;
    }
    const QString path = folder + QLatin1String(PreviewFileName);
    return style == PathStyle::Windows ? lowerAscii(path) : path;
}

QString previewAddress(const QString& previewPath) {
    return QUrl::fromLocalFile(previewPath).toString(QUrl::FullyEncoded);
}

QString PreviewFiles::write(const Document& document, const Workspace& workspace,
                            const QString& dataDir, PathStyle style, QString& error) {
    const QString first = previewFilePath(document.key(), dataDir, style);
    QString path;
    for (int number = 0; number < PreviewNames && path.isEmpty(); ++number) {
        const QString name = numberedName(first, number);
        // An open document is passed over even when its file is gone or was a preview of ours:
        // saving it would write there again.
        if (workspace.findFile(name, style))
            continue;
        if (!nameInUse(name) || isUnchanged(name))
            path = name;
    }
    if (path.isEmpty()) {
        error = QStringLiteral("Cannot write a preview in %1: the names from %2 to %3 are all "
                               "taken.")
                    .arg(QDir::toNativeSeparators(QFileInfo(first).absolutePath()),
                         QLatin1String(PreviewFileName),
                         QFileInfo(numberedName(first, PreviewNames - 1)).fileName());
        return {};
    }
    // Encoded from a copy of the format: a preview never changes how the document is stored.
    FileFormat format = document.format();
    const QByteArray bytes = encodeDocument(document.text().text(), format);
    if (!replaceFileNoFollow(path, bytes, error))
        return {};
    m_written.insert(path, fingerprint(bytes));
    return path;
}

bool PreviewFiles::isUnchanged(const QString& path) const {
    const auto written = m_written.constFind(path);
    if (written == m_written.constEnd())
        return false;
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile() || info.size() != written->size)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return hash.addData(&file) && hash.result() == written->digest;
}

int PreviewFiles::deleteUnchanged() {
    int deleted = 0;
    for (auto it = m_written.constBegin(); it != m_written.constEnd(); ++it) {
        if (isUnchanged(it.key()) && QFile::remove(it.key()))
            ++deleted;
    }
    m_written.clear();
    return deleted;
}

PreviewFiles::Fingerprint PreviewFiles::fingerprint(const QByteArray& bytes) {
    return {bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}

bool registerCleanUp(SettingsFile& settings, const QString& path) {
    namespace C = keys::CleanUp;
    const int count = settings.readInt(C::Section, C::Count, 0);
    for (int i = 1; i <= count; ++i) {
        if (settings.readText(C::Section, QString::number(i)) == path)
            return false;
    }
    // The count and its entry go in one rewrite: a failure leaves neither half written.
    settings.writeTexts({{C::Section, C::Count, QString::number(count + 1)},
                         {C::Section, QString::number(count + 1), path}});
    return true;
}

std::optional<QString> programProblem(const QString& path) {
    const QFileInfo info(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!info.exists())
        return QStringLiteral("%1 does not exist.").arg(shown);
    if (!info.isFile())
        return QStringLiteral("%1 is not a file, so it cannot be started as a program.").arg(shown);
    if (!info.isExecutable())
        return QStringLiteral("%1 is not an executable program.").arg(shown);
    return std::nullopt;
}

} // namespace vellum
