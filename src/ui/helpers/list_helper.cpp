#include "ui/helpers/list_helper.h"

#include "core/editor/insertion.h"
#include "ui/helpers/helper_context.h"
#include "ui/helpers/helper_controls.h"
#include "ui/helpers/number_box.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

using Kind = ListOptions::Kind;
using Style = ListOptions::Style;

QFrame* panel(const char* name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    keepRoom(frame);
    return frame;
}

} // namespace

ListHelper::ListHelper(HelperContext& context, const HelperTraits& traits)
    : HelperFrame(context, traits) {
    setObjectName(QStringLiteral("TlistRoll"));
    m_listBullets = new QButtonGroup(this);
    m_itemBullets = new QButtonGroup(this);
    m_numbers = new QButtonGroup(this);

    auto* area = new QGridLayout;
    area->addWidget(buildModes(), 0, 0, 2, 1);
    area->addWidget(buildKinds(), 0, 1, 2, 1);
    m_itemBulletPanel = buildStylePanel(
        "Panbulla", m_itemBullets,
        {{"circle", "circle"}, {"disc", "disc"}, {"square", "square"}, {"defitem", "definition"}});
    area->addWidget(m_itemBulletPanel, 0, 1, 2, 1);
    m_typeLabel = namedLabel("Label1", QStringLiteral("Type"), this);
    area->addWidget(m_typeLabel, 0, 2);
    m_listBulletPanel =
        buildStylePanel("Panbull", m_listBullets,
                        {{"circle2", "circle"}, {"disc2", "disc"}, {"square2", "square"}});
    m_numberPanel = buildStylePanel("Pannum", m_numbers,
                                    {{"a123", "1,2,3"},
                                     {"aIIIIII", "I,II,III"},
                                     {"asiiiiii", "i,ii,iii"},
                                     {"aabc", "A,B,C"},
                                     {"asabc", "a,b,c"}});
    area->addWidget(m_listBulletPanel, 1, 2, Qt::AlignTop);
    area->addWidget(m_numberPanel, 1, 2, Qt::AlignTop);
    keepRoom(m_typeLabel);
    body()->addLayout(area);
    body()->addWidget(buildNumbers());

    const struct {
        const char* name;
        Style style;
    } styles[] = {{"circle", Style::Circle},       {"circle2", Style::Circle2},
                  {"disc", Style::Disc},           {"disc2", Style::Disc2},
                  {"square", Style::Square},       {"square2", Style::Square2},
                  {"a123", Style::Arabic},         {"aIIIIII", Style::UpperRoman},
                  {"asiiiiii", Style::LowerRoman}, {"aabc", Style::UpperLetter},
                  {"asabc", Style::LowerLetter}};
    for (const auto& s : styles)
        m_styles.emplace_back(control<QAbstractButton>(s.name), s.style);

    for (QAbstractButton* button : m_listBullets->buttons()) {
        connect(button, &QAbstractButton::clicked, this, [this] {
            returnFocusAndInsert();
            setStartShown(false);
        });
    }
    for (QAbstractButton* button : m_itemBullets->buttons()) {
        connect(button, &QAbstractButton::clicked, this, [this] {
            returnFocusAndInsert();
            clearGroup(m_numbers);
            setStartShown(false);
        });
    }
    for (QAbstractButton* button : m_numbers->buttons()) {
        connect(button, &QAbstractButton::clicked, this, [this] {
            returnFocusAndInsert();
            clearBullets();
        });
    }

    m_itemBulletPanel->hide();
    chooseKind(Kind::Bullet);
    finishSetUp();
}

QWidget* ListHelper::buildModes() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_modes = new QButtonGroup(this);
    auto* list = radioButton("listbut", QStringLiteral("List"), m_modes, -1, column);
    list->setChecked(true);
    m_itemMode = radioButton("itembut", QStringLiteral("List Item"), m_modes, -1, column);
    for (QRadioButton* button : {list, m_itemMode})
        layout->addWidget(button);
    layout->addStretch(1);
    connect(list, &QRadioButton::clicked, this, &ListHelper::chooseListMode);
    connect(m_itemMode, &QRadioButton::clicked, this, &ListHelper::chooseItemMode);
    return column;
}

QWidget* ListHelper::buildKinds() {
    m_kindPanel = panel("Panlist", this);
    m_kindPanel->installEventFilter(this);
    auto* layout = new QVBoxLayout(m_kindPanel);
    m_kinds = new QButtonGroup(this);
    for (QRadioButton* button : radioButtons<Kind>({{Kind::Bullet, "Bullet", "Bullet"},
                                                    {Kind::Number, "Number", "Number"},
                                                    {Kind::Definition, "Definition", "Definition"}},
                                                   m_kinds, m_kindPanel)) {
        button->installEventFilter(this);
        layout->addWidget(button);
    }
    connect(m_kinds, &QButtonGroup::idClicked, this, [this](int kind) {
        returnFocusAndInsert();
        chooseKind(static_cast<Kind>(kind));
    });
    layout->addStretch(1);
    return m_kindPanel;
}

QFrame*
ListHelper::buildStylePanel(const char* name, QButtonGroup* group,
                            const std::vector<std::pair<const char*, const char*>>& buttons) {
    QFrame* frame = panel(name, this);
    frame->installEventFilter(this);
    auto* layout = new QVBoxLayout(frame);
    for (const auto& [buttonName, caption] : buttons) {
        QRadioButton* button =
            radioButton(buttonName, QString::fromLatin1(caption), group, -1, frame);
        button->installEventFilter(this);
        layout->addWidget(button);
    }
    return frame;
}

QWidget* ListHelper::buildNumbers() {
    auto* numbers = new QWidget(this);
    auto* layout = new QGridLayout(numbers);
    layout->setContentsMargins(0, 0, 0, 0);
    m_startLabel = namedLabel("startlabel", QStringLiteral("start list at"), numbers);
    m_start = numberBox("startEdit", 1, QStringLiteral("1"), numbers);
    m_start->edit()->setFrame(false);
    keepRoom(m_startLabel);
    keepRoom(m_start);
    QLabel* itemLabel = namedLabel("Label3", QStringLiteral("List Items"), numbers);
    m_items = numberBox("ItemEdit", 1, QStringLiteral("2"), numbers);
    QLabel* indentLabel = namedLabel("Label2", QStringLiteral("item indent"), numbers);
    m_indent = numberBox("tabsedit", 0, QStringLiteral("0"), numbers);
    layout->addWidget(m_startLabel, 0, 2);
    layout->addWidget(m_start, 0, 3);
    layout->addWidget(itemLabel, 1, 0);
    layout->addWidget(m_items, 1, 1);
    layout->addWidget(indentLabel, 1, 2);
    layout->addWidget(m_indent, 1, 3);
    return numbers;
}

bool ListHelper::startShown() const {
    return !m_startLabel->isHidden();
}

void ListHelper::setStartShown(bool shown) {
    m_startLabel->setVisible(shown);
    m_start->setVisible(shown);
}

void ListHelper::chooseKind(Kind kind) {
    m_kinds->button(static_cast<int>(kind))->setChecked(true);
    m_typeLabel->setVisible(kind != Kind::Definition);
    m_listBulletPanel->setVisible(kind == Kind::Bullet);
    m_numberPanel->setVisible(kind == Kind::Number);
    setStartShown(kind == Kind::Number);
}

void ListHelper::clearAll() {
    clearGroup(m_kinds);
    clearGroup(m_numbers);
    clearBullets();
}

void ListHelper::clearBullets() {
    clearGroup(m_listBullets);
    clearGroup(m_itemBullets);
}

void ListHelper::chooseListMode() {
    clearAll();
    m_kindPanel->show();
    m_itemBulletPanel->hide();
    returnFocusAndInsert();
    chooseKind(Kind::Bullet);
}

void ListHelper::chooseItemMode() {
    returnFocusAndInsert();
    clearAll();
    setStartShown(false);
    m_kindPanel->hide();
    m_itemBulletPanel->show();
    m_listBulletPanel->hide();
    m_numberPanel->show();
    m_typeLabel->show();
}

void ListHelper::focusMode() {
    m_modes->checkedButton()->setFocus();
}

bool ListHelper::counts(const QAbstractButton* button) const {
    return button->isChecked() && !button->parentWidget()->isHidden();
}

std::optional<ListOptions> ListHelper::readControls() {
    const std::optional<IndentAndCount> amounts = indentAndCount(*m_indent, *m_items);
    if (!amounts)
        return std::nullopt;
    ListOptions options;
    options.mode = m_itemMode->isChecked() ? ListOptions::Mode::Item : ListOptions::Mode::List;
    options.kind = static_cast<Kind>(std::max(0, m_kinds->checkedId()));
    for (const auto& [button, style] : m_styles) {
        if (counts(button))
            options.styles.insert(style);
    }
    options.definitionItem = counts(control<QAbstractButton>("defitem"));
    options.count = amounts->count;
    options.indent = amounts->indent;
    options.startShown = startShown();
    options.start = m_start->text();
    return options;
}

void ListHelper::showOptions(const ListOptions& options) {
    if (options.mode == ListOptions::Mode::Item) {
        m_itemMode->setChecked(true);
        chooseItemMode();
    } else {
        control<QRadioButton>("listbut")->setChecked(true);
        chooseListMode();
        if (options.kind == Kind::None)
            clearAll();
        else
            chooseKind(options.kind);
    }
    for (const auto& [button, style] : m_styles) {
        if (options.styles.count(style))
            button->setChecked(true);
    }
    control<QAbstractButton>("defitem")->setChecked(options.definitionItem);
    setStartShown(options.startShown);
    m_start->setText(options.start);
    m_items->setText(QString::number(options.count));
    m_indent->setText(QString::number(options.indent));
}

void ListHelper::insertCode() {
    const std::optional<ListOptions> options = readControls();
    if (!options)
        return;
    const ListCode code = listGenerator(*options);
    if (code.tooLarge) {
        context().showError(tooMuchTextMessage());
        return;
    }
    insertList(context().insertions(), context().documents().scratch(), code);
}

QString ListHelper::tagCode() {
    const std::optional<ListOptions> options = readControls();
    return options ? listGenerator(*options).text : QString();
}

bool ListHelper::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (type == QEvent::MouseButtonDblClick && button) {
        // A double-click on a choice clears its group: the user asks for none at all.
        QButtonGroup* group = button->group();
        focusMode();
        if (group == m_listBullets || group == m_itemBullets)
            clearBullets();
        else
            clearGroup(group);
        setStartShown(false);
        return true;
    }
    // Only a press on a panel's background counts, not one that a button on it let through.
    const bool kinds = watched == m_kindPanel;
    const bool numbers = watched == m_numberPanel;
    if (type == QEvent::MouseButtonPress && (kinds || numbers || watched == m_listBulletPanel) &&
        !qobject_cast<QWidget*>(watched)->childAt(
            static_cast<QMouseEvent*>(event)->position().toPoint())) {
        if (kinds || numbers) {
            focusMode();
            clearGroup(kinds ? m_kinds : m_numbers);
            setStartShown(false);
        } else {
            clearBullets();
        }
    }
    return HelperFrame::eventFilter(watched, event);
}

} // namespace vellum
