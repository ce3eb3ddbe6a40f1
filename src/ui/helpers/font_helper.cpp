#include "ui/helpers/font_helper.h"

#include "core/editor/insertion.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

FontHelper::FontHelper(HelperContext& context, const HelperTraits& traits,
                       ColourChooser chooseColour)
    : ColourHelperFrame(context, traits, std::move(chooseColour),
                        ColourPicker::Layout::ButtonBeside) {
    setObjectName(QStringLiteral("TfontRoll"));
    m_noColour = new QRadioButton(QStringLiteral("no color"), this);
    m_noColour->setObjectName(QStringLiteral("nocolor"));
    m_noColour->setAutoExclusive(false);
    m_noColour->setChecked(true);
    m_noColour->installEventFilter(this);

    auto* sizes = new QButtonGroup(this);
    auto* sizeGrid = new QGridLayout;
    for (int size = 0; size <= 7; ++size) {
        const QByteArray name =
            size == 0 ? QByteArray("nosize") : "size" + QByteArray::number(size);
        m_sizes[size] =
            radioButton(name.constData(),
                        size == 0 ? QStringLiteral("no size") : QStringLiteral("size=%1").arg(size),
                        sizes, size, this);
    }
    placeInColumns(sizeGrid, QList<QRadioButton*>(std::begin(m_sizes), std::end(m_sizes)), 4);
    connect(sizes, &QButtonGroup::idClicked, this, &FontHelper::updateSample);
    m_sizes[0]->setChecked(true);

    m_picker->addToColumn(m_noColour);
    body()->addWidget(m_picker);
    body()->addLayout(sizeGrid);
    body()->addWidget(m_sample);

    connect(m_picker, &ColourPicker::picked, this, [this] {
        m_noColour->setChecked(false);
        returnFocusAndInsert();
        updateSample();
    });
    connect(m_picker, &ColourPicker::dialogClosed, this, [this] {
        m_noColour->setChecked(false);
        updateSample();
    });
    // A single click on "no color" selects it again; its double-click is in the event filter.
    connect(m_noColour, &QRadioButton::clicked, this, [this] {
        m_noColour->setChecked(true);
        updateSample();
    });
    connect(m_picker, &ColourPicker::captionClicked, this, &FontHelper::updateSample);
    connect(m_sample, &ClickLabel::clicked, this, &FontHelper::updateSample);
    connect(m_sample, &ClickLabel::doubleClicked, this, &FontHelper::InsertCodeClick);

    updateSample();
    finishSetUp();
    m_sizes[0]->setFocus();
}

QRadioButton* FontHelper::sizeButton(int size) const {
    return m_sizes[size];
}

void FontHelper::updateSample() {
    returnFocusAndInsert();
    FontOptions options;
    options.noColor = m_noColour->isChecked();
    options.colour = m_picker->colour();
    for (int size = 1; size <= 7; ++size) {
        if (m_sizes[size]->isChecked())
            options.size = size;
    }
    m_code = fontGenerator(options);
    m_sample->setText(m_code.sample);
}

void FontHelper::showOptions(const FontOptions& options) {
    colourButton()->setColour(options.colour);
    m_noColour->setChecked(options.noColor);
    m_sizes[options.size >= 1 && options.size <= 7 ? options.size : 0]->setChecked(true);
    updateSample();
}

QString FontHelper::tagCode() {
    updateSample();
    return m_code.open;
}

void FontHelper::insertCode() {
    context().insertions().wrapSelection(m_code.open, m_code.close);
}

bool FontHelper::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_noColour && event->type() == QEvent::MouseButtonDblClick) {
        // The first click of the double-click selected it; the double-click leaves it clear.
        m_noColour->setChecked(false);
        colourButton()->setFocus();
        updateSample();
        return true;
    }
    return HelperFrame::eventFilter(watched, event);
}

} // namespace vellum
