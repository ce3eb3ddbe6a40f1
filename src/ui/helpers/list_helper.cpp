#include "ui/helpers/list_helper.h"

#include "core/editor/insertion.h"
#include "ui/helpers/helper_context.h"
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

// Controls that take turns in one place keep their room while hidden, so that the window keeps
// its shape whichever of them is on show.
void keepRoom(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QFrame* panel(const char* name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::StyledPanel);
    keepRoom(frame);
    return frame;
}

void clearGroup(QButtonGroup* group) {
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

} // namespace

TlistRoll::TlistRoll(HelperContext& context, const HelperTraits& traits)
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
    m_typeLabel = new QLabel(QStringLiteral("Type"), this);
    m_typeLabel->setObjectName(QStringLiteral("Label1"));
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
            focusmain();
            setStartShown(false);
        });
    }
    for (QAbstractButton* button : m_itemBullets->buttons()) {
        connect(button, &QAbstractButton::clicked, this, [this] {
            focusmain();
            clearGroup(m_numbers);
            setStartShown(false);
        });
    }
    for (QAbstractButton* button : m_numbers->buttons()) {
        connect(button, &QAbstractButton::clicked, this, [this] {
            focusmain();
            clearBullets();
        });
    }

    m_itemBulletPanel->hide();
    chooseKind(Kind::Bullet);
    finishSetUp();
}

QWidget* TlistRoll::buildModes() {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_modes = new QButtonGroup(this);
    auto* list = new QRadioButton(QStringLiteral("List"), column);
    list->setObjectName(QStringLiteral("listbut"));
    list->setChecked(true);
    m_itemMode = new QRadioButton(QStringLiteral("List Item"), column);
    m_itemMode->setObjectName(QStringLiteral("itembut"));
    for (QRadioButton* button : {list, m_itemMode}) {
        m_modes->addButton(button);
        layout->addWidget(button);
    }
    layout->addStretch(1);
    connect(list, &QRadioButton::clicked, this, &TlistRoll::chooseListMode);
    connect(m_itemMode, &QRadioButton::clicked, this, &TlistRoll::chooseItemMode);
    return column;
}

QWidget* TlistRoll::buildKinds() {
    m_kindPanel = panel("Panlist", this);
    m_kindPanel->installEventFilter(this);
    auto* layout = new QVBoxLayout(m_kindPanel);
    m_kinds = new QButtonGroup(this);
    const struct {
        Kind kind;
        const char* name;
    } kinds[] = {
        {Kind::Bullet, "Bullet"}, {Kind::Number, "Number"}, {Kind::Definition, "Definition"}};
    for (const auto& k : kinds) {
        auto* button = new QRadioButton(QString::fromLatin1(k.name), m_kindPanel);
        button->setObjectName(QString::fromLatin1(k.name));
        button->installEventFilter(this);
        m_kinds->addButton(button, static_cast<int>(k.kind));
        layout->addWidget(button);
        connect(button, &QRadioButton::clicked, this, [this, k] {
            focusmain();
            chooseKind(k.kind);
        });
    }
    layout->addStretch(1);
    return m_kindPanel;
}

QFrame*
TlistRoll::buildStylePanel(const char* name, QButtonGroup* group,
                           const std::vector<std::pair<const char*, const char*>>& buttons) {
    QFrame* frame = panel(name, this);
    frame->installEventFilter(this);
    auto* layout = new QVBoxLayout(frame);
    for (const auto& [buttonName, caption] : buttons) {
        auto* button = new QRadioButton(QString::fromLatin1(caption), frame);
        button->setObjectName(QString::fromLatin1(buttonName));
        button->installEventFilter(this);
        group->addButton(button);
        layout->addWidget(button);
    }
    return frame;
}

QWidget* TlistRoll::buildNumbers() {
    auto* numbers = new QWidget(this);
    auto* layout = new QGridLayout(numbers);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto focus = [this] { focusmain(); };
    const auto report = [this](const QString& text) { context().showError(text); };
    m_startLabel = new QLabel(QStringLiteral("start list at"), numbers);
    m_startLabel->setObjectName(QStringLiteral("startlabel"));
    m_start = new NumberBox(QStringLiteral("startEdit"), 1, focus, report, numbers);
    m_start->setText(QStringLiteral("1"));
    m_start->edit()->setFrame(false);
    keepRoom(m_startLabel);
    keepRoom(m_start);
    auto* itemLabel = new QLabel(QStringLiteral("List Items"), numbers);
    itemLabel->setObjectName(QStringLiteral("Label3"));
    m_items = new NumberBox(QStringLiteral("ItemEdit"), 1, focus, report, numbers);
    m_items->setText(QStringLiteral("2"));
    auto* indentLabel = new QLabel(QStringLiteral("item indent"), numbers);
    indentLabel->setObjectName(QStringLiteral("Label2"));
    m_indent = new NumberBox(QStringLiteral("tabsedit"), 0, focus, report, numbers);
    m_indent->setText(QStringLiteral("0"));
    layout->addWidget(m_startLabel, 0, 2);
    layout->addWidget(m_start, 0, 3);
    layout->addWidget(itemLabel, 1, 0);
    layout->addWidget(m_items, 1, 1);
    layout->addWidget(indentLabel, 1, 2);
    layout->addWidget(m_indent, 1, 3);
    return numbers;
}

bool TlistRoll::startShown() const {
    return !m_startLabel->isHidden();
}

void TlistRoll::setStartShown(bool shown) {
    m_startLabel->setVisible(shown);
    m_start->setVisible(shown);
}

void TlistRoll::chooseKind(Kind kind) {
    m_kinds->button(static_cast<int>(kind))->setChecked(true);
    m_typeLabel->setVisible(kind != Kind::Definition);
    m_listBulletPanel->setVisible(kind == Kind::Bullet);
    m_numberPanel->setVisible(kind == Kind::Number);
    setStartShown(kind == Kind::Number);
}

void TlistRoll::clearAll() {
    clearGroup(m_kinds);
    clearGroup(m_numbers);
    clearBullets();
}

void TlistRoll::clearBullets() {
    clearGroup(m_listBullets);
    clearGroup(m_itemBullets);
}

void TlistRoll::chooseListMode() {
    clearAll();
    m_kindPanel->show();
    m_itemBulletPanel->hide();
    focusmain();
    chooseKind(Kind::Bullet);
}

void TlistRoll::chooseItemMode() {
    focusmain();
    clearAll();
    setStartShown(false);
    m_kindPanel->hide();
    m_itemBulletPanel->show();
    m_listBulletPanel->hide();
    m_numberPanel->show();
    m_typeLabel->show();
}

void TlistRoll::focusMode() {
    m_modes->checkedButton()->setFocus();
}

bool TlistRoll::counts(const QAbstractButton* button) const {
    return button->isChecked() && !button->parentWidget()->isHidden();
}

void TlistRoll::insertCode() {
    const std::optional<int> indent = m_indent->value();
    if (!indent)
        return;
    const std::optional<int> count = m_items->value();
    if (!count)
        return;
    ListOptions options;
    options.mode = m_itemMode->isChecked() ? ListOptions::Mode::Item : ListOptions::Mode::List;
    options.kind = static_cast<Kind>(std::max(0, m_kinds->checkedId()));
    for (const auto& [button, style] : m_styles) {
        if (counts(button))
            options.styles.insert(style);
    }
    options.definitionItem = counts(control<QAbstractButton>("defitem"));
    options.count = *count;
    options.indent = *indent;
    options.startShown = startShown();
    options.start = m_start->text();

    const ListCode code = listGenerator(options);
    if (code.tooLarge) {
        context().showError(tooMuchTextMessage());
        return;
    }
    insertList(context().insertions(), context().documents().scratch(), code);
}

bool TlistRoll::eventFilter(QObject* watched, QEvent* event) {
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
        !static_cast<QWidget*>(watched)->childAt(
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
