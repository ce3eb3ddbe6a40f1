#pragma once

#include <QString>

#include <optional>

namespace vellum {

struct StartTag;

class Insertions;
class TextControl;

/// The Form helper's choices. The defaults are the window's starting values.
struct FormOptions {
    enum class Kind {
        None,
        NewForm,
        Hidden,
        Password,
        Text,
        TextArea,
        Radio,
        Check,
        ListBox,
        DropList,
        Submit,
        Reset
    };

    Kind kind = Kind::NewForm;
    /// Fields to insert; not used by New Form, Submit and Reset.
    int count = 1;
    /// Tab characters before each field; New Form's tags get one fewer.
    int indent = 0;
    /// Max length (Password, Text) or columns (Text Area), written as typed.
    QString first = QStringLiteral("20");
    /// Size (Password, Text, List Box) or rows (Text Area), written as typed.
    QString second = QStringLiteral("20");
    /// Options of a list box or drop-down list: the first number as a whole number.
    int options = 0;
    /// Password and Text carry the max length.
    bool maxLength = false;
    /// New Form: method Get instead of Post. List Box: multiple selection.
    bool yes = false;
    /// Radio and Check: the name the fields share.
    QString group;
};

/// The form code for `options`; empty when no kind is chosen, and when the code would be longer
/// than the scratch editor holds (`*tooLarge` is then set). Every line ends with CR LF but New
/// Form's closing tag.
QString formGenerator(const FormOptions& options, bool* tooLarge = nullptr);

/// Puts form code into the active document: New Form on a fresh line after any selection (kept),
/// the caret then on the empty line inside the form; any other kind in place of the selection,
/// the caret after it. The text goes through the scratch editor `scratch`. Nothing happens
/// without a document or without code.
void insertForm(Insertions& insertions, TextControl& scratch, FormOptions::Kind kind,
                const QString& code);

/// The Form helper's choices that would write `tag`: New Form for FORM (Get or Post); for INPUT
/// the kind its type names (text when it names none), with the max length, size or shared name it
/// carries; List Box or Drop-Down List for SELECT (a size of 1 without multiple is the drop-down
/// list); Text Area for TEXTAREA with its columns and rows. What the start tag cannot show (count,
/// indentation, options) keeps its starting value. Null for any other tag or input type.
std::optional<FormOptions> formOptionsFromTag(const StartTag& tag);

} // namespace vellum
