#include "core/helpers/scratch_code.h"

#include "core/editor/insertion.h"
#include "core/editor/text_control.h"

#include <algorithm>

namespace vellum {

QString tabs(int n) {
    return QString(std::max(0, n), QLatin1Char('\t'));
}

bool insertScratchCode(Insertions& insertions, TextControl& scratch, const ScratchCode& code) {
    if (!code.insert || !insertions.hasDocument())
        return false;
    scratch.replaceSelection(code.text);
    if (code.freshLine)
        insertions.openFreshLine();
    insertions.insertScratch();
    insertions.gotoLine(code.gotoLine);
    return true;
}

} // namespace vellum
