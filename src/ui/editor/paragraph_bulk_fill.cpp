#include "ui/editor/paragraph_bulk_fill.h"

#include "core/foundation/char_scan.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QtGlobal>

// The document's trees and runs are laid out as below in the Qt versions this was checked
// against; they are private to Qt and may change in any other.
#if QT_VERSION >= QT_VERSION_CHECK(6, 4, 0) && QT_VERSION < QT_VERSION_CHECK(6, 5, 0) &&           \
    __has_include(<private/qtextdocument_p.h>)
#define VELLUM_PARAGRAPH_BULK_FILL 1
#include <private/qtextdocument_p.h>
#include <private/qtextformat_p.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>
#endif

namespace vellum {

#ifdef VELLUM_PARAGRAPH_BULK_FILL
namespace {

// Makes each break of `piece` a paragraph separator, as the document keeps them: CR LF becomes
// one. Frame marks, which a cursor also takes for breaks, become breaks too. Returns how many.
quint32 markBreaks(QString& piece) {
    static constexpr char16_t Breaks[] = u"\r\n\u2029\uFDD0\uFDD1";
    const QStringView breaks(Breaks, 5);
    QChar* chars = piece.data();
    const qsizetype size = piece.size();
    qsizetype in = 0, out = 0;
    quint32 count = 0;
    for (;; ++count) {
        const qsizetype at = indexOfAnyOf(QStringView(chars, size), in, breaks);
        const qsizetype end = at < 0 ? size : at;
        if (out != in)
            std::memmove(chars + out, chars + in, std::size_t(end - in) * sizeof(QChar));
        out += end - in;
        if (at < 0)
            break;
        in = at + 1;
        if (chars[at] == u'\r' && in < size && chars[in] == u'\n')
            ++in;
        chars[out++] = QChar::ParagraphSeparator;
    }
    piece.truncate(out);
    return count;
}

// A tree's node array: its one member, the pointer to node 0 (which holds the header).
template <class Node> Node*& nodesOf(QFragmentMap<Node>& tree) {
    static_assert(sizeof(QFragmentMap<Node>) == sizeof(Node*), "a tree is its node array");
    return *reinterpret_cast<Node**>(&tree);
}

// Links nodes [first, last] (in text order) as a balanced red-black subtree under `parent`,
// giving each the sizes of its left subtree; returns its root and writes its sizes to `sums`.
// Halving at each node keeps every level full but the deepest, whose nodes are the red ones:
// then every path down has as many black nodes.
template <class Node>
quint32 link(Node* nodes, quint32 first, quint32 last, quint32 parent, int depth, int redDepth,
             quint32* sums) {
    constexpr int Fields = Node::size_array_max;
    if (first > last) {
        std::fill_n(sums, Fields, 0u);
        return 0;
    }
    const quint32 middle = first + (last - first) / 2;
    Node& node = nodes[middle];
    quint32 left[Fields], right[Fields];
    node.parent = parent;
    node.color = depth == redDepth ? 0u : 1u; // red, black
    node.left = link(nodes, first, middle - 1, middle, depth + 1, redDepth, left);
    node.right = link(nodes, middle + 1, last, middle, depth + 1, redDepth, right);
    for (int field = 0; field < Fields; ++field) {
        node.size_left_array[field] = left[field];
        sums[field] = left[field] + node.size_array[field] + right[field];
    }
    return middle;
}

// A tree's new nodes, made in text order. Node 0 is left for the tree's header; the array is
// allocated as the tree allocates it, which grows and frees it with realloc and free.
template <class Node> class NodeArray {
public:
    explicit NodeArray(quint32 expected) { grow(expected + 1); }
    ~NodeArray() { std::free(m_nodes); }
    NodeArray(const NodeArray&) = delete;
    NodeArray& operator=(const NodeArray&) = delete;

    Node& append() {
        if (m_count + 1 >= m_capacity)
            grow(m_capacity * 2);
        Node& node = m_nodes[++m_count];
        node.initialize();
        return node;
    }
    quint32 count() const { return m_count; }
    /// Hands the nodes over.
    Node* take() { return std::exchange(m_nodes, nullptr); }

private:
    void grow(quint32 capacity) {
        capacity = std::max(capacity, 16u);
        auto* nodes =
            static_cast<Node*>(std::realloc(m_nodes, std::size_t(capacity) * sizeof(Node)));
        Q_CHECK_PTR(nodes);
        m_nodes = nodes;
        m_capacity = capacity;
    }

    Node* m_nodes = nullptr;
    quint32 m_count = 0;
    quint32 m_capacity = 0;
};

// Replaces the tree's nodes by `fresh`, linked as a balanced tree.
template <class Node> void rebuild(QFragmentMap<Node>& tree, NodeArray<Node>& fresh) {
    using Header = typename QFragmentMapData<Node>::Header;
    Node*& nodes = nodesOf(tree);
    for (uint n = tree.firstNode(); n; n = tree.next(n))
        tree.fragment(n)->free();
    const quint32 count = fresh.count();
    const bool full = ((count + 1) & count) == 0;
    const int redDepth = full ? -1 : 31 - qCountLeadingZeroBits(count);
    quint32 sums[Node::size_array_max];
    Node* linked = fresh.take();
    auto* head = reinterpret_cast<Header*>(linked);
    head->tag = reinterpret_cast<const Header*>(nodes)->tag;
    head->root = link(linked, 1, count, 0, 0, redDepth, sums);
    head->freelist = count + 1; // the free ones follow, unused
    head->node_count = count;
    head->allocated = count + 1;
    std::free(nodes);
    nodes = linked;
}

} // namespace
#endif

void ParagraphBulkFill::insert(QTextCursor& at, QString piece) {
#ifdef VELLUM_PARAGRAPH_BULK_FILL
    QTextDocumentPrivate* d = QTextDocumentPrivate::get(m_document);
    if (!d->isUndoRedoEnabled() && d->isInEditBlock()) {
        if (piece.isEmpty())
            return;
        QTextCharFormat format = at.charFormat();
        format.clearProperty(QTextFormat::ObjectIndex);
        const int formatIndex = d->formatCollection()->indexForFormat(format);
        m_breaks += markBreaks(piece);
        d->insert(at.position(), piece, formatIndex);
        m_pending = true;
        return;
    }
#endif
    at.insertText(piece);
}

void ParagraphBulkFill::finish() {
#ifdef VELLUM_PARAGRAPH_BULK_FILL
    if (!m_pending)
        return;
    m_pending = false;
    QTextDocumentPrivate* d = QTextDocumentPrivate::get(m_document);
    QTextDocumentPrivate::FragmentMap& fragments = d->fragmentMap();
    QTextDocumentPrivate::BlockMap& blocks = d->blockMap();
    const QString buffer = d->buffer();
    const QChar* chars = buffer.constData();
    const int blockFormat = blocks.fragment(blocks.firstNode())->format;
    const int revision = m_document->revision();

    // Every paragraph separator in the text ends a paragraph: its text's runs, then the
    // separator as a run of its own, as the document keeps them. Each old run is cut at its
    // separators, so there are at most as many runs as old runs and twice the separators.
    const quint32 separators = m_breaks + quint32(blocks.numNodes());
    NodeArray<QTextFragmentData> runs(2 * separators + quint32(fragments.numNodes()));
    NodeArray<QTextBlockData> paragraphs(separators);
    const auto addRun = [&runs](quint32 position, quint32 length, int format) {
        QTextFragmentData& run = runs.append();
        run.size_array[0] = length;
        run.stringPosition = int(position);
        run.format = format;
    };
    quint32 length = 0;
    for (uint n = fragments.firstNode(); n; n = fragments.next(n)) {
        const QTextFragmentData* run = fragments.fragment(n);
        quint32 from = quint32(run->stringPosition);
        const quint32 end = from + fragments.size(n);
        for (;;) {
            const qsizetype found =
                QStringView(chars + from, end - from).indexOf(QChar::ParagraphSeparator);
            const quint32 stop = found < 0 ? end : from + quint32(found);
            if (stop > from)
                addRun(from, stop - from, run->format);
            length += stop - from;
            if (found < 0)
                break;
            addRun(stop, 1, run->format);
            QTextBlockData& paragraph = paragraphs.append();
            paragraph.size_array[0] = length + 1;
            paragraph.size_array[1] = 1; // a paragraph
            paragraph.size_array[2] = 1; // its lines, until it is laid out
            paragraph.format = blockFormat;
            paragraph.revision = revision;
            length = 0;
            from = stop + 1;
        }
    }
    // The document ends with a paragraph separator of its own, so nothing is left over.
    Q_ASSERT(length == 0);
    m_breaks = 0;
    rebuild(fragments, runs);
    rebuild(blocks, paragraphs);
#endif
}

} // namespace vellum
