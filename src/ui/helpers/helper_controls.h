#pragma once

#include "core/helpers/file_reference.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QRadioButton;
class QWidget;

namespace vellum {

// The controls the helper windows build alike. Each is named, as the tests and the manual find
// controls by name.

/// Keeps a control's room in its layout while it is hidden, so that a window whose controls take
/// turns in one place keeps its shape.
void keepRoom(QWidget* widget);

/// Unchecks every button of an exclusive group.
void clearGroup(QButtonGroup* group);

/// Checks the button of `group` with `id`, or none when no button has it.
void checkInGroup(QButtonGroup* group, int id);

/// A label named `name` showing `text`.
QLabel* namedLabel(const char* name, const QString& text, QWidget* parent = nullptr);

/// A check box named `name` with `caption`.
QCheckBox* checkBox(const char* name, const QString& caption, QWidget* parent = nullptr);

/// A radio button named `name` with `caption`, in `group` under `id`.
QRadioButton* radioButton(const char* name, const QString& caption, QButtonGroup* group, int id,
                          QWidget* parent);

/// One choice of a group of radio buttons: its value, the button's name and its caption.
template <typename Value> struct RadioChoice {
    Value value;
    const char* name;
    const char* caption;
};

/// A radio button for each choice, in `group` under the choice's value, in order; a click on one
/// is reported by the group's idClicked with that value.
template <typename Value>
QList<QRadioButton*> radioButtons(const std::vector<RadioChoice<Value>>& choices,
                                  QButtonGroup* group, QWidget* parent) {
    QList<QRadioButton*> buttons;
    for (const RadioChoice<Value>& choice : choices)
        buttons << radioButton(choice.name, QString::fromLatin1(choice.caption), group,
                               static_cast<int>(choice.value), parent);
    return buttons;
}

/// Lays `widgets` out down `layout`'s columns, `perColumn` to a column.
void placeInColumns(QGridLayout* layout, const QList<QRadioButton*>& widgets, int perColumn);

/// A drop-down list named `name` of `items` that shows `shown` until the user chooses: no item is
/// current till then.
QComboBox* dropList(const char* name, const QStringList& items, const QString& shown,
                    QWidget* parent);

/// The list of the forms of a file's path ("relative path", "absolute path", "no path"), named
/// "pathlist"; the relative form counts until the user chooses.
QComboBox* pathModeList(QWidget* parent);
/// Shows `mode` as the choice of a path list.
void showPathMode(QComboBox* list, PathMode mode);
/// The form chosen in a path list.
PathMode chosenPathMode(const QComboBox* list);

} // namespace vellum
