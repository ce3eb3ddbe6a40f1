// Random edits on the in-memory text: the text stays CR LF only, the selection stays inside it,
// and the line operations agree with each other.
#include "core/editor/text_buffer.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool ok) {
    if (!ok)
        std::abort();
}

void checkInvariants(const vellum::TextBuffer& buffer) {
    const QString text = buffer.text();
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r'))
            check(i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'));
        if (text.at(i) == QLatin1Char('\n'))
            check(i > 0 && text.at(i - 1) == QLatin1Char('\r'));
    }
    const vellum::Selection s = buffer.selection();
    check(0 <= s.start && s.start <= s.end && s.end <= text.size());
    const int count = buffer.lineCount();
    int previous = -1;
    for (int line = 0; line <= count; ++line) {
        const int start = buffer.lineStart(line);
        if (line == count && start < 0)
            break;
        check(start > previous);
        check(buffer.lineFromPosition(start) == line);
        check(buffer.lineText(line) == text.mid(start, buffer.lineLength(start)));
        previous = start;
    }
    check(buffer.lineStart(count + 1) == -1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    vellum::TextBuffer buffer(data[0] % 12);
    size_t i = 1;
    const auto next = [&]() -> int { return i < size ? data[i++] : 0; };
    while (i < size) {
        const int op = next() % 8;
        switch (op) {
        case 0:
        case 1: {
            const int n = next() % 8;
            QString piece;
            for (int k = 0; k < n; ++k) {
                static const char alphabet[] = "ab \r\n\t<>";
                piece += QLatin1Char(alphabet[next() % 8]);
            }
            if (op == 0)
                buffer.replaceSelection(piece);
            else
                buffer.typeText(piece);
            break;
        }
        case 2:
            buffer.setSelection(next() - 8, next() - 8 + next());
            break;
        case 3:
            buffer.cut();
            break;
        case 4:
            buffer.paste();
            break;
        case 5:
            buffer.undo();
            break;
        case 6:
            vellum::SetCaretLine(buffer, next() - 2);
            break;
        default:
            vellum::SetCaretColumn(buffer, next() - 2);
            break;
        }
        checkInvariants(buffer);
    }
    return 0;
}
