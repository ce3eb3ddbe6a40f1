#include "ui/helpers/table_helper.h"

#include "core/editor/insertion.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "ui/foundation/click_label.h"
#include "ui/foundation/colour_controls.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/helpers/number_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

namespace {
using Mode = TableOptions::Mode;
using HAlign = TableOptions::HAlign;
using VAlign = TableOptions::VAlign;
} // namespace

TableHelper::TableHelper(HelperContext& context, const HelperTraits& traits,
                         ColourChooser chooseColour)
    : HelperFrame(context, traits) {
    setObjectName(QStringLiteral("TtabRoll"));
    auto* top = new QHBoxLayout;
    top->addWidget(buildModes());
    top->addWidget(buildAlignments());
    body()->addLayout(top);
    body()->addWidget(buildNumbers());
    body()->addWidget(buildSizes(std::move(chooseColour)));

    m_endCell->setChecked(
        !context.settings().readText(keys::Vellum::Section, keys::Vellum::EndTd).isEmpty());
    m_mode = Mode::Row; // so that choosing Table below runs its resets
    setMode(Mode::Table);
    modeButton(Mode::Table)->setChecked(true);
    finishSetUp();
    returnFocusAndInsert();
}

QWidget* TableHelper::buildModes() {
    auto* box = new QGroupBox(this);
    box->installEventFilter(this);
    auto* layout = new QVBoxLayout(box);
    m_modes = new QButtonGroup(this);
    for (QRadioButton* button : radioButtons<Mode>({{Mode::Table, "tablebut", "Table"},
                                                    {Mode::Row, "rowbut", "Row"},
                                                    {Mode::Cell, "cellbut", "Cell"}},
                                                   m_modes, box))
        layout->addWidget(button);
    connect(m_modes, &QButtonGroup::idClicked, this,
            [this](int mode) { setMode(static_cast<Mode>(mode)); });
    return box;
}

QWidget* TableHelper::buildAlignments() {
    auto* box = new QGroupBox(this);
    box->installEventFilter(this);
    auto* layout = new QGridLayout(box);
    layout->addWidget(namedLabel("Label6", QString(), box), 0, 0);
    layout->addWidget(namedLabel("Label3", QStringLiteral("Vert Alignment"), box), 0, 1);
    m_aligns = new QButtonGroup(this);
    m_valigns = new QButtonGroup(this);
    const QList<QRadioButton*> aligns =
        radioButtons<HAlign>({{HAlign::Left, "alignleft", "left"},
                              {HAlign::Center, "aligncenter", "center"},
                              {HAlign::Right, "alignright", "right"}},
                             m_aligns, box);
    const QList<QRadioButton*> valigns =
        radioButtons<VAlign>({{VAlign::Top, "valigntop", "top"},
                              {VAlign::Middle, "valignmiddle", "middle"},
                              {VAlign::Bottom, "valignbottom", "bottom"},
                              {VAlign::Baseline, "valignbaseline", "baseline"}},
                             m_valigns, box);
    for (int i = 0; i < aligns.size(); ++i)
        layout->addWidget(aligns[i], i + 1, 0);
    for (int i = 0; i < valigns.size(); ++i)
        layout->addWidget(valigns[i], i + 1, 1);
    for (QAbstractButton* button : m_aligns->buttons() + m_valigns->buttons()) {
        button->installEventFilter(this);
        connect(button, &QAbstractButton::clicked, this, &TableHelper::returnFocusAndInsert);
    }
    return box;
}

QWidget* TableHelper::buildNumbers() {
    auto* panel = new QWidget(this);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_topSpins = new QWidget(panel);
    m_topSpins->setObjectName(QStringLiteral("topspins"));
    auto* spins = new QGridLayout(m_topSpins);
    spins->setContentsMargins(0, 0, 0, 0);
    auto* bordercol = new ClickLabel(QStringLiteral("bordercol"), QString(), m_topSpins);
    auto* spacerow = new ClickLabel(QStringLiteral("spacerow"), QString(), m_topSpins);
    m_border = numberBox("bordercoledit", 0, QString(), m_topSpins);
    m_spacing = numberBox("spacerowedit", 0, QString(), m_topSpins);
    spins->addWidget(bordercol, 0, 0);
    spins->addWidget(m_border, 0, 1);
    spins->addWidget(spacerow, 1, 0);
    spins->addWidget(m_spacing, 1, 1);
    auto* paditem = new ClickLabel(QStringLiteral("paditem"), QString(), panel);
    m_items = numberBox("ItemEdit", 0, QString(), panel);
    auto* indentLabel =
        new ClickLabel(QStringLiteral("Label2"), QStringLiteral("TD indent"), panel);
    m_indent = numberBox("tabsedit", 0, QStringLiteral("0"), panel);
    layout->addWidget(m_topSpins, 0, 0, 2, 2);
    layout->addWidget(paditem, 0, 2);
    layout->addWidget(m_items, 0, 3);
    layout->addWidget(indentLabel, 1, 2);
    layout->addWidget(m_indent, 1, 3);
    for (ClickLabel* label : {bordercol, spacerow, paditem, indentLabel})
        connect(label, &ClickLabel::clicked, this, &TableHelper::returnFocusAndInsert);
    return panel;
}

QWidget* TableHelper::buildSizes(ColourChooser chooseColour) {
    m_widthHeight = new QGroupBox(this);
    m_widthHeight->setObjectName(QStringLiteral("widthheight"));
    m_widthHeight->installEventFilter(this);
    auto* layout = new QGridLayout(m_widthHeight);
    const auto sizeRow = [&](int row, const char* label, const char* edit, const char* box,
                             QLineEdit*& field, QCheckBox*& percent, bool width) {
        auto* name =
            namedLabel(row == 0 ? "Label5" : "Label7", QString::fromLatin1(label), m_widthHeight);
        field = new QLineEdit(m_widthHeight);
        field->setObjectName(QString::fromLatin1(edit));
        field->setFixedWidth(44);
        field->installEventFilter(this);
        percent = checkBox(box, QStringLiteral("%"), m_widthHeight);
        connect(percent, &QCheckBox::clicked, this, [this, width] {
            returnFocusAndInsert();
            checkSize(width);
        });
        layout->addWidget(name, row, 0);
        layout->addWidget(field, row, 1);
        layout->addWidget(percent, row, 2);
    };
    sizeRow(0, "Width", "widthedit", "percentbox", m_width, m_widthPercent, true);
    sizeRow(1, "Height", "heightedit", "percentbox2", m_height, m_heightPercent, false);
    m_caption = checkBox("captionnowrap", QString(), m_widthHeight);
    m_below = checkBox("belowtable", QStringLiteral(" below table"), m_widthHeight);
    m_below->hide();
    m_colourOn = checkBox("colorbox", QStringLiteral("color"), m_widthHeight);
    m_colour = new ColourButton(std::move(chooseColour), m_widthHeight);
    m_colour->setObjectName(QStringLiteral("ColorButton1"));
    m_endCell = checkBox("endtd", QStringLiteral("/TD"), m_widthHeight);
    layout->addWidget(m_caption, 2, 0, 1, 2);
    layout->addWidget(m_below, 3, 0, 1, 2);
    layout->addWidget(m_colourOn, 2, 2);
    layout->addWidget(m_colour, 3, 2);
    layout->addWidget(m_endCell, 4, 0);

    connect(m_caption, &QCheckBox::clicked, this, [this](bool checked) {
        returnFocusAndInsert();
        if (m_mode != Mode::Table)
            return;
        m_below->setChecked(false);
        m_below->setVisible(checked);
    });
    connect(m_below, &QCheckBox::clicked, this, &TableHelper::returnFocusAndInsert);
    connect(m_colourOn, &QCheckBox::clicked, this, &TableHelper::returnFocusAndInsert);
    connect(m_colour, &ColourButton::clickedAfterDialog, this, &TableHelper::returnFocusAndInsert);
    connect(m_endCell, &QCheckBox::clicked, this, [this](bool checked) {
        returnFocusAndInsert();
        context().guard([this, checked] {
            context().settings().writeText(keys::Vellum::Section, keys::Vellum::EndTd,
                                           checked ? QStringLiteral("yes") : QString());
        });
    });
    return m_widthHeight;
}

QRadioButton* TableHelper::modeButton(Mode mode) const {
    return qobject_cast<QRadioButton*>(m_modes->button(static_cast<int>(mode)));
}

QRadioButton* TableHelper::alignButton(HAlign align) const {
    return qobject_cast<QRadioButton*>(m_aligns->button(static_cast<int>(align)));
}

QRadioButton* TableHelper::valignButton(VAlign valign) const {
    return qobject_cast<QRadioButton*>(m_valigns->button(static_cast<int>(valign)));
}

QLabel* TableHelper::label(const char* name) const {
    return findChild<QLabel*>(QString::fromLatin1(name));
}

void TableHelper::setMode(Mode mode) {
    if (mode == m_mode)
        return;
    m_mode = mode;
    modeButton(mode)->setChecked(true);
    label("Label6")->setText(mode == Mode::Table ? QStringLiteral("Align on Page")
                                                 : QStringLiteral("Horz Alignment"));
    clearGroup(m_aligns);
    clearGroup(m_valigns);
    const bool table = mode == Mode::Table;
    const bool cell = mode == Mode::Cell;
    m_topSpins->setVisible(!(mode == Mode::Row));
    m_widthHeight->setVisible(!(mode == Mode::Row));
    if (table || cell) {
        label("bordercol")->setText(table ? QStringLiteral("border") : QStringLiteral("col span"));
        label("spacerow")
            ->setText(table ? QStringLiteral("cell space") : QStringLiteral("row span"));
        m_border->setText(table ? QStringLiteral("1") : QStringLiteral("0"));
        m_spacing->setText(table ? QStringLiteral("2") : QStringLiteral("0"));
        m_width->clear();
        m_height->clear();
        m_caption->setText(table ? QStringLiteral("caption") : QStringLiteral("no wrap"));
        m_caption->setChecked(false);
        m_colourOn->setChecked(false);
        m_below->hide();
    }
    m_endCell->setVisible(cell);
    label("paditem")->setText(table ? QStringLiteral("cell pad") : QStringLiteral("items"));
    m_items->setText(table ? QStringLiteral("2") : QStringLiteral("1"));
    returnFocusAndInsert();
}

void TableHelper::checkSize(bool width) {
    QLineEdit* field = width ? m_width : m_height;
    const bool percent = (width ? m_widthPercent : m_heightPercent)->isChecked();
    const SizeCheck check = checkSizeBox(width, field->text(), percent);
    if (!check.message)
        return;
    context().showError(*check.message);
    if (check.emptiesBox)
        field->clear();
}

std::optional<TableOptions> TableHelper::readControls() {
    const std::optional<IndentAndCount> amounts = indentAndCount(*m_indent, *m_items);
    if (!amounts)
        return std::nullopt;
    TableOptions options;
    options.mode = m_mode;
    options.indent = amounts->indent;
    options.count = amounts->count;
    options.border = m_border->text();
    options.spacing = m_spacing->text();
    options.padding = m_items->text();
    options.width = m_width->text();
    options.widthPercent = m_widthPercent->isChecked();
    options.height = m_height->text();
    options.heightPercent = m_heightPercent->isChecked();
    options.captionOrNoWrap = m_caption->isChecked();
    options.belowTable = m_below->isChecked();
    options.colourOn = m_colourOn->isChecked();
    options.colour = m_colour->colour();
    options.align = static_cast<HAlign>(std::max(0, m_aligns->checkedId()));
    options.valign = static_cast<VAlign>(std::max(0, m_valigns->checkedId()));
    options.endCell = m_endCell->isChecked();
    return options;
}

void TableHelper::showOptions(const TableOptions& options) {
    setMode(options.mode);
    m_indent->setText(QString::number(options.indent));
    m_border->setText(options.border);
    m_spacing->setText(options.spacing);
    // The items box holds the cell padding of a table and the count of rows or cells.
    m_items->setText(options.mode == Mode::Table ? options.padding
                                                 : QString::number(options.count));
    m_width->setText(options.width);
    m_widthPercent->setChecked(options.widthPercent);
    m_height->setText(options.height);
    m_heightPercent->setChecked(options.heightPercent);
    m_caption->setChecked(options.captionOrNoWrap);
    m_below->setVisible(options.mode == Mode::Table && options.captionOrNoWrap);
    m_below->setChecked(options.belowTable);
    m_colourOn->setChecked(options.colourOn);
    m_colour->setColour(options.colour);
    checkInGroup(m_aligns, static_cast<int>(options.align));
    checkInGroup(m_valigns, static_cast<int>(options.valign));
    m_endCell->setChecked(options.endCell);
}

void TableHelper::insertCode() {
    const std::optional<TableOptions> options = readControls();
    if (!options)
        return;
    const TableCode code = tableGenerator(*options);
    if (code.tooLarge)
        context().showError(tooMuchTextMessage());
    insertTable(context().insertions(), context().documents().scratch(), code);
}

QString TableHelper::tagCode() {
    std::optional<TableOptions> options = readControls();
    if (!options)
        return {};
    // One tag is replaced, however many rows or cells the count asks for.
    options->count = 1;
    return tableGenerator(*options).text;
}

bool TableHelper::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick) {
        // A double-click on an alignment button clears its whole group.
        if (auto* button = qobject_cast<QAbstractButton*>(watched)) {
            if (m_aligns->buttons().contains(button) || m_valigns->buttons().contains(button)) {
                clearGroup(m_aligns->buttons().contains(button) ? m_aligns : m_valigns);
                return true;
            }
        }
    }
    if (type == QEvent::MouseButtonPress && qobject_cast<QGroupBox*>(watched))
        returnFocusAndInsert();
    if (type == QEvent::KeyRelease && (watched == m_width || watched == m_height)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            checkSize(watched == m_width);
    }
    return HelperFrame::eventFilter(watched, event);
}

} // namespace vellum
