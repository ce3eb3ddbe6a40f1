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

ColorHelper::ColorHelper(HelperContext& context, const HelperTraits& traits,
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
    connect(group, &QButtonGroup::idClicked, this, &ColorHelper::updateSample);
    formButton(ColourForm::CodeOnly)->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(m_picker);
    top->addLayout(formColumn);
    body()->addLayout(top);
    body()->addWidget(m_sample);

    connect(m_picker, &ColourPicker::picked, this, [this] {
        returnFocusAndInsert();
        updateSample();
    });
    connect(m_picker, &ColourPicker::dialogClosed, this, [this](bool changed) {
        if (changed)
            updateSample();
    });
    connect(m_picker, &ColourPicker::captionClicked, this, &ColorHelper::returnFocusAndInsert);
    connect(m_sample, &ClickLabel::clicked, this, &ColorHelper::returnFocusAndInsert);

    updateSample();
    finishSetUp();
    formButton(ColourForm::CodeOnly)->setFocus();
    returnFocusAndInsert();
}

QRadioButton* ColorHelper::formButton(ColourForm form) const {
    for (const auto& entry : m_forms) {
        if (entry.first == form)
            return entry.second;
    }
    return nullptr;
}

void ColorHelper::updateSample() {
    returnFocusAndInsert();
    ColourForm chosen = ColourForm::None;
    for (const auto& entry : m_forms) {
        if (entry.second->isChecked())
            chosen = entry.first;
    }
    m_sample->setText(colourGenerator(m_picker->colour(), chosen));
}

void ColorHelper::insertCode() {
    context().insertions().insertText(m_sample->text());
}

} // namespace vellum
