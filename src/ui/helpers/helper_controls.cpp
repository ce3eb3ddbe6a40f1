#include "ui/helpers/helper_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace vellum {

void keepRoom(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

void clearGroup(QButtonGroup* group) {
    // An exclusive group keeps one button checked: it lets go only while not exclusive.
    group->setExclusive(false);
    for (QAbstractButton* button : group->buttons())
        button->setChecked(false);
    group->setExclusive(true);
}

void checkInGroup(QButtonGroup* group, int id) {
    if (QAbstractButton* button = group->button(id))
        button->setChecked(true);
    else
        clearGroup(group);
}

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* radioButton(const char* name, const QString& caption, QButtonGroup* group, int id,
                          QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    group->addButton(button, id);
    return button;
}

void placeInColumns(QGridLayout* layout, const QList<QRadioButton*>& widgets, int perColumn) {
    for (int i = 0; i < widgets.size(); ++i)
        layout->addWidget(widgets[i], i % perColumn, i / perColumn);
}

QComboBox* dropList(const char* name, const QStringList& items, const QString& shown,
                    QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(items);
    // Until the user chooses, the list says what counts.
    list->setPlaceholderText(shown);
    list->setCurrentIndex(-1);
    return list;
}

QComboBox* pathModeList(QWidget* parent) {
    const QStringList captions = pathModeCaptions();
    return dropList("pathlist", captions, captions.first(), parent);
}

void showPathMode(QComboBox* list, PathMode mode) {
    for (int i = 0; i < list->count(); ++i) {
        if (pathModeAt(i) == mode)
            list->setCurrentIndex(i);
    }
}

PathMode chosenPathMode(const QComboBox* list) {
    return pathModeAt(list->currentIndex());
}

} // namespace vellum
