#include "ui/helpers/form_helper.h"

#include "core/editor/insertion.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/helpers/number_box.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

using Kind = FormOptions::Kind;

/// A panel holding a caption and a control in a row.
QWidget* row(QWidget* parent, const char* name, QWidget* caption, QWidget* control,
             QWidget* extra = nullptr) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    caption->setParent(panel);
    control->setParent(panel);
    layout->addWidget(caption, 1);
    layout->addWidget(control);
    if (extra) {
        extra->setParent(panel);
        layout->addWidget(extra);
    }
    return panel;
}

} // namespace

FormHelper::FormHelper(HelperContext& context, const HelperTraits& traits)
    : HelperFrame(context, traits) {
    setObjectName(QStringLiteral("TlinkRoll2"));
    auto* top = new QHBoxLayout;
    top->addWidget(buildKinds());
    top->addWidget(buildNumbers());
    body()->addLayout(top);
    finishSetUp();
    // The first kind has the focus when the window opens, which chooses it.
    kindButton(Kind::NewForm)->setFocus();
    kindButton(Kind::NewForm)->setChecked(true);
    setKind(Kind::NewForm);
}

QWidget* FormHelper::buildKinds() {
    auto* panel = new QWidget(this);
    auto* layout = new QGridLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_kinds = new QButtonGroup(this);
    placeInColumns(layout,
                   radioButtons<Kind>({{Kind::NewForm, "newbut", "New Form"},
                                       {Kind::Hidden, "hidbut", "Hidden"},
                                       {Kind::Password, "passbut", "Password"},
                                       {Kind::Text, "textbut", "Text"},
                                       {Kind::TextArea, "areabut", "Text Area"},
                                       {Kind::Radio, "RadioBut", "Radio"},
                                       {Kind::Check, "checkbut", "Check"},
                                       {Kind::ListBox, "listbut", "List Box"},
                                       {Kind::DropList, "dropbut", "DropList"},
                                       {Kind::Submit, "submitbut", "Submit"},
                                       {Kind::Reset, "resetbut", "Reset"}},
                                      m_kinds, panel),
                   6);
    connect(m_kinds, &QButtonGroup::idClicked, this,
            [this](int kind) { setKind(static_cast<Kind>(kind)); });
    return panel;
}

QWidget* FormHelper::buildNumbers() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_items = numberBox("itemsedit", 1);
    QFont bold = m_items->edit()->font();
    bold.setBold(true);
    m_items->edit()->setFont(bold);
    m_first = numberBox("maxedit", 1, QStringLiteral("20"));
    m_second = numberBox("sizeedit", 1, QStringLiteral("20"));
    m_indent = numberBox("indentedit", 0, QStringLiteral("0"));
    m_maxCheck = checkBox("maxcheck", QString());
    m_yesCheck = checkBox("yesnocheck", QString());
    m_group = new QLineEdit;
    m_group->setObjectName(QStringLiteral("groupedit"));
    m_firstLabel = namedLabel("Label1", QStringLiteral("max length"));
    m_secondLabel = namedLabel("Label2", QStringLiteral("size"));
    m_yesLabel = namedLabel("yesnote", QStringLiteral("Get instead of Post"));

    m_itemsPanel =
        row(panel, "itemspan", namedLabel("itemslabel", QStringLiteral("Items")), m_items);
    m_maxPanel = row(panel, "maxpan", m_firstLabel, m_first, m_maxCheck);
    m_sizePanel = row(panel, "sizepan", m_secondLabel, m_second);
    QWidget* indentPanel =
        row(panel, "Panel2", namedLabel("Label5", QStringLiteral("Item Indent")), m_indent);
    m_yesPanel = row(panel, "yesno", m_yesLabel, m_yesCheck);
    m_groupPanel = row(panel, "group", namedLabel("Label3", QStringLiteral("group name")), m_group);
    for (QWidget* part :
         {m_itemsPanel, m_maxPanel, m_sizePanel, indentPanel, m_yesPanel, m_groupPanel})
        layout->addWidget(part);
    layout->addStretch(1);
    for (QCheckBox* box : {m_maxCheck, m_yesCheck})
        connect(box, &QCheckBox::clicked, this, &FormHelper::returnFocusAndInsert);
    return panel;
}

QRadioButton* FormHelper::kindButton(Kind kind) const {
    return qobject_cast<QRadioButton*>(m_kinds->button(static_cast<int>(kind)));
}

Kind FormHelper::kind() const {
    const int id = m_kinds->checkedId();
    return id < 0 ? Kind::None : static_cast<Kind>(id);
}

QWidget* FormHelper::part(const char* name) const {
    return findChild<QWidget*>(QString::fromLatin1(name));
}

void FormHelper::setKind(Kind kind) {
    returnFocusAndInsert();
    kindButton(kind)->setChecked(true);
    m_items->setText(QStringLiteral("1"));
    const bool fieldWithLength = kind == Kind::Password || kind == Kind::Text;
    const bool list = kind == Kind::ListBox || kind == Kind::DropList;
    m_yesPanel->setVisible(kind == Kind::NewForm || kind == Kind::ListBox);
    m_itemsPanel->setVisible(kind != Kind::NewForm && kind != Kind::Submit && kind != Kind::Reset);
    m_maxPanel->setVisible(fieldWithLength || kind == Kind::TextArea || list);
    m_maxCheck->setVisible(fieldWithLength);
    m_sizePanel->setVisible(fieldWithLength || kind == Kind::TextArea || kind == Kind::ListBox);
    m_groupPanel->setVisible(kind == Kind::Radio || kind == Kind::Check);

    const auto numbers = [this](const char* first, const char* second, const char* firstValue,
                                const char* secondValue) {
        m_firstLabel->setText(QString::fromLatin1(first));
        m_first->setText(QString::fromLatin1(firstValue));
        if (second) {
            m_secondLabel->setText(QString::fromLatin1(second));
            m_second->setText(QString::fromLatin1(secondValue));
        }
    };
    switch (kind) {
    case Kind::NewForm:
        m_yesLabel->setText(QStringLiteral("get instead of post"));
        m_yesCheck->setChecked(false);
        break;
    case Kind::Password:
    case Kind::Text:
        m_maxCheck->setChecked(false);
        numbers("max length", "size", "20", "20");
        break;
    case Kind::TextArea:
        numbers("# columns", "# rows", "35", "7");
        break;
    case Kind::Radio:
    case Kind::Check:
        m_group->clear();
        break;
    case Kind::ListBox:
        m_yesLabel->setText(QStringLiteral("multiple selection"));
        m_yesCheck->setChecked(false);
        numbers("# options", "size", "5", "3");
        m_group->clear();
        break;
    case Kind::DropList:
        numbers("# options", nullptr, "5", nullptr);
        m_group->clear();
        break;
    default:
        break;
    }
}

std::optional<FormOptions> FormHelper::readControls() {
    const std::optional<IndentAndCount> amounts = indentAndCount(*m_indent, *m_items);
    if (!amounts)
        return std::nullopt;
    FormOptions options;
    options.kind = kind();
    if (options.kind == Kind::ListBox || options.kind == Kind::DropList) {
        const std::optional<int> optionCount = m_first->value();
        if (!optionCount)
            return std::nullopt;
        options.options = *optionCount;
    }
    options.count = amounts->count;
    options.indent = amounts->indent;
    options.first = m_first->text();
    options.second = m_second->text();
    options.maxLength = m_maxCheck->isChecked();
    options.yes = m_yesCheck->isChecked();
    options.group = m_group->text();
    return options;
}

void FormHelper::showOptions(const FormOptions& options) {
    if (options.kind == Kind::None) {
        clearGroup(m_kinds);
        return;
    }
    setKind(options.kind);
    m_items->setText(QString::number(options.count));
    m_indent->setText(QString::number(options.indent));
    // A list's first box holds its number of options, which a tag read back does not tell: the
    // kind's own number stays then.
    const bool list = options.kind == Kind::ListBox || options.kind == Kind::DropList;
    if (!list)
        m_first->setText(options.first);
    else if (options.options > 0)
        m_first->setText(QString::number(options.options));
    m_second->setText(options.second);
    m_maxCheck->setChecked(options.maxLength);
    m_yesCheck->setChecked(options.yes);
    m_group->setText(options.group);
}

void FormHelper::insertCode() {
    const std::optional<FormOptions> options = readControls();
    if (!options)
        return;
    bool tooLarge = false;
    const QString code = formGenerator(*options, &tooLarge);
    if (tooLarge) {
        context().showError(tooMuchTextMessage());
        return;
    }
    insertForm(context().insertions(), context().documents().scratch(), options->kind, code);
}

QString FormHelper::tagCode() {
    std::optional<FormOptions> options = readControls();
    if (!options)
        return {};
    options->count = 1;
    return formGenerator(*options);
}

} // namespace vellum
