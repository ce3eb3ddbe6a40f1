#include "ui/helpers/color_helper.h"

#include "core/editor/insertion.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

TlinkRoll1::TlinkRoll1(HelperContext& context, const HelperTraits& traits,
                       ColourChooser chooseColour)
    : ColourHelperFrame(context, traits, std::move(chooseColour), ColourPicker::Layout::GridAbove) {
    setObjectName(QStringLiteral("TlinkRoll1"));

    auto* group = new QButtonGroup(this);
    const QList<QRadioButton*> buttons = radioButtons<ColourForm>(
        {
            {ColourForm::Font, "checkfont", "Font color"},
            {ColourForm::BgColor, "checkbgcolor", "BGcolor"},
            {ColourForm::Text, "checktext", "Body: Text"},
            {ColourForm::Link, "checklink", "Body: Link"},
            {ColourForm::VLink, "checkvlink", "Body: vLink"},
            {ColourForm::ALink, "checkalink", "Body: aLink"},
            {ColourForm::CodeOnly, "checkcode", "Code only"},
        },
        group, this);
    auto* formColumn = new QVBoxLayout;
    for (QRadioButton* button : buttons) {
        formColumn->addWidget(button);
        m_forms.append({static_cast<ColourForm>(group->id(button)), button});
    }
    connect(group, &QButtonGroup::idClicked, this, &TlinkRoll1::sampleupdate);
    formButton(ColourForm::CodeOnly)->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picker);
    top->addLayout(formColumn);
    body()->addLayout(top);
    body()->addWidget(m_sample);

    connect(m_picker, &ColourPicker::picked, this, [this] {
        focusmain();
        sampleupdate();
    });
    connect(m_picker, &ColourPicker::dialogClosed, this, [this](bool changed) {
        if (changed)
            sampleupdate();
    });
    connect(m_picker, &ColourPicker::captionClicked, this, &TlinkRoll1::focusmain);
    connect(m_sample, &ClickLabel::clicked, this, &TlinkRoll1::focusmain);

    sampleupdate();
    finishSetUp();
    formButton(ColourForm::CodeOnly)->setFocus();
    focusmain();
}

QRadioButton* TlinkRoll1::formButton(ColourForm form) const {
    for (const auto& entry : m_forms) {
        if (entry.first == form)
            return entry.second;
    }
    return nullptr;
}

void TlinkRoll1::sampleupdate() {
    focusmain();
    ColourForm chosen = ColourForm::None;
    for (const auto& entry : m_forms) {
        if (entry.second->isChecked())
            chosen = entry.first;
    }
    m_sample->setText(colourGenerator(m_picker->colour(), chosen));
}

void TlinkRoll1::insertCode() {
    context().insertions().listcode2(m_sample->text());
}

} // namespace vellum
