// Any bytes as a document read in the charset it declares (the first byte chooses a declaration to
// put in front, so that the charset readers are reached): reading never fails, a text with one
// kind of line break is written back to the same bytes, and a file read in its declared charset
// agrees with its own declaration.
#include "core/app/document_file.h"
#include "core/editor/text_control.h"

#include <cstdint>
#include <cstdlib>

using vellum::FileFormat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const char* const Declarations[] = {
        "",
        "<meta charset=Shift_JIS>",
        "<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=koi8-r'>",
        "<!-- --><meta charset=\"ISO-8859-2\">",
        "<meta charset=\"iso-8859-2",
    };
    QByteArray bytes(Declarations[data[0] % 5]);
    bytes.append(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));

    FileFormat format;
    vellum::LineBreakKinds kinds;
    const QString text =
        vellum::decodeDocument(bytes, format, &kinds, vellum::DeclaredCharsets::Follow);
    FileFormat again = format;
    bool switched = false;
    const QByteArray written = vellum::encodeDocument(text, again, &switched);
    if (switched || (kinds.uniform() && written != bytes))
        std::abort();
    if (format.encoding == FileFormat::Encoding::Declared &&
        vellum::charsetMismatch(bytes, format).kind != vellum::CharsetMismatch::Kind::None)
        std::abort();
    return 0;
}
