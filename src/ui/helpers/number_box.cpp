#include "ui/helpers/number_box.h"

#include "core/helpers/whole_number.h"

#include <QHBoxLayout>

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

namespace vellum {

NumberBox::NumberBox(const QString& name, int minimum, std::function<void()> beforeStep,
                     std::function<void(const QString&)> report, QWidget* parent)
    : QWidget(parent), m_edit(new QLineEdit(this)), m_up(new QToolButton(this)),
      m_down(new QToolButton(this)), m_minimum(minimum), m_beforeStep(std::move(beforeStep)),
      m_report(std::move(report)) {
    setObjectName(name + QStringLiteral("Box"));
    m_edit->setObjectName(name);
    m_edit->setFixedWidth(44);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_up, m_down}) {
        button->setFixedSize(16, 11);
        button->setFocusPolicy(Qt::NoFocus);
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_edit);
    auto* spins = new QVBoxLayout;
    spins->setSpacing(0);
    spins->addWidget(m_up);
    spins->addWidget(m_down);
    layout->addLayout(spins);
    connect(m_up, &QToolButton::clicked, this, &NumberBox::stepUp);
    connect(m_down, &QToolButton::clicked, this, &NumberBox::stepDown);
}

QString NumberBox::text() const {
    return m_edit->text();
}

void NumberBox::setText(const QString& text) {
    m_edit->setText(text);
}

std::optional<int> NumberBox::value() const {
    const std::optional<int> number = strictInt(m_edit->text());
    if (!number && m_report)
        m_report(notAnIntegerMessage(m_edit->text()));
    return number;
}

void NumberBox::stepUp() {
    if (m_beforeStep)
        m_beforeStep();
    if (const std::optional<int> number = value();
        number && *number < std::numeric_limits<int>::max())
        m_edit->setText(QString::number(*number + 1));
}

void NumberBox::stepDown() {
    if (m_beforeStep)
        m_beforeStep();
    if (const std::optional<int> number = value(); number && *number > m_minimum)
        m_edit->setText(QString::number(*number - 1));
}

std::optional<IndentAndCount> indentAndCount(const NumberBox& indent, const NumberBox& count) {
    const std::optional<int> tabs = indent.value();
    if (!tabs)
        return std::nullopt;
    const std::optional<int> items = count.value();
    if (!items)
        return std::nullopt;
    return IndentAndCount{*tabs, *items};
}

} // namespace vellum
