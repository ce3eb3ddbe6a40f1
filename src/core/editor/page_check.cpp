#include "core/editor/page_check.h"

#include "core/editor/link_check.h"
#include "core/editor/structure_check.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace vellum {

QString findingKindText(FindingKind kind) {
    switch (kind) {
    case FindingKind::Error:
        return QStringLiteral("error");
    case FindingKind::Warning:
        return QStringLiteral("warning");
    case FindingKind::Link:
        return QStringLiteral("link");
    }
    return {};
}

LineIndex::LineIndex(QStringView text) : m_text(text) {
    m_starts.push_back(0);
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        if (c == u'\r' || c == u'\n')
            m_starts.push_back(i + 1);
    }
}

int LineIndex::lineEnd(int index) const {
    if (index + 1 >= static_cast<int>(m_starts.size()))
        return static_cast<int>(m_text.size());
    int end = m_starts[index + 1] - 1;
    if (end > m_starts[index] && m_text[end] == u'\n' && m_text[end - 1] == u'\r')
        --end;
    return end;
}

TextPoint LineIndex::pointOf(int position) const {
    const int at = std::clamp(position, 0, static_cast<int>(m_text.size()));
    const auto line = std::upper_bound(m_starts.begin(), m_starts.end(), at) - m_starts.begin() - 1;
    const int index = static_cast<int>(line);
    return {index + 1, std::min(at, lineEnd(index)) - m_starts[index] + 1};
}

int LineIndex::positionOf(TextPoint point) const {
    if (point.line < 1)
        return 0;
    if (point.line > static_cast<int>(m_starts.size()))
        return static_cast<int>(m_text.size());
    const int index = point.line - 1;
    return std::min(m_starts[index] + std::max(point.column, 1) - 1, lineEnd(index));
}

PageCheckResult checkPage(const PageCheckRequest& request) {
    PageCheckResult result;
    QString folder;
    if (request.documentPath.isEmpty()) {
        folder = request.workingFolder;
        result.note = QStringLiteral("Not saved yet: local links are looked up in %1.")
                          .arg(QDir::toNativeSeparators(folder));
    } else {
        folder = QFileInfo(request.documentPath).absolutePath();
    }
    result.findings = structureFindings(request.text);
    result.findings += linkFindings(request.text, folder, request.documentPath);
    std::stable_sort(result.findings.begin(), result.findings.end(),
                     [](const Finding& a, const Finding& b) { return a.start < b.start; });
    return result;
}

} // namespace vellum
