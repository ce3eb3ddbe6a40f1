// The main window's side of the helper windows: creating them on demand and what they need of it.
#include "ui/app/main_window.h"
#include "ui/app/message_box_prompter.h"
#include "ui/editor/document_window.h"
#include "ui/helpers/color_helper.h"
#include "ui/helpers/font_helper.h"
#include "ui/helpers/table_helper.h"

namespace vellum {

namespace {

// Creates a helper when none is open. Returns true when it was created now.
template <typename Helper> bool ensureHelper(QPointer<Helper>& reference, TMDImain& main) {
    if (reference)
        return false;
    reference = new Helper(main);
    return true;
}

} // namespace

TtabRoll* TMDImain::tableHelper() const {
    return m_tableHelper;
}

TfontRoll* TMDImain::fontHelper() const {
    return m_fontHelper;
}

TlinkRoll1* TMDImain::colorHelper() const {
    return m_colorHelper;
}

void TMDImain::focusMain() {
    activateWindow();
    if (TMDIsub* document = activeDocument())
        document->focusEditor();
}

void TMDImain::showHelpTopic(int topic) {
    m_help.showTopic(topic);
}

bool TMDImain::chooseColour(QColor& colour) {
    return m_prompter.chooseColour(colour);
}

void TMDImain::showError(const QString& text) {
    m_prompter.error(text);
}

void TMDImain::HelpTable() {
    if (!hasDocument())
        return;
    ensureHelper(m_tableHelper, *this);
    // An open Table helper comes to the front again.
    m_tableHelper->show();
    m_tableHelper->raise();
    focusMain();
}

void TMDImain::HelpFont() {
    if (hasDocument() && ensureHelper(m_fontHelper, *this))
        m_fontHelper->show();
}

void TMDImain::Helpcolor() {
    if (hasDocument() && ensureHelper(m_colorHelper, *this))
        m_colorHelper->show();
}

} // namespace vellum
