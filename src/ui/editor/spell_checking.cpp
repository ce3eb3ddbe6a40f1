#include "ui/editor/spell_checking.h"

#include "core/app/command_registry.h"
#include "core/app/document.h"
#include "core/editor/spelling_words.h"
#include "core/foundation/prompter.h"
#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"
#include "platform/editor/spell_dictionary.h"
#include "ui/editor/document_window.h"
#include "ui/editor/html_highlighter.h"
#include "ui/editor/plain_text_editor.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace vellum {

namespace {

// Marks the context menu's spelling items, which go before the menu is shown again.
constexpr char SpellingItem[] = "vellumSpellingItem";
// How much of the top of a document is read for its language.
constexpr int LanguageSearch = 65536;

QString topOf(const QTextDocument& document) {
    QString text;
    for (QTextBlock block = document.begin(); block.isValid() && text.size() < LanguageSearch;
         block = block.next()) {
        // A paragraph longer than what is left to read is read only that far: a page on one
        // line of megabytes is not copied whole.
        const int wanted = LanguageSearch - static_cast<int>(text.size());
        if (block.length() <= wanted) {
            text += block.text() + QStringLiteral("\r\n");
            continue;
        }
        QTextCursor part(block);
        part.setPosition(block.position() + wanted, QTextCursor::KeepAnchor);
        text += part.selectedText();
    }
    return text;
}

void replaceWord(PlainTextEditor& editor, const QTextBlock& block, const SpellingWord& word,
                 const QString& replacement) {
    // One step of the undo history, as typing the word would be.
    QTextCursor cursor(editor.document());
    cursor.beginEditBlock();
    for (const PieceEdit& edit : replacementEdits(word, replacement)) {
        cursor.setPosition(block.position() + edit.start);
        cursor.setPosition(block.position() + edit.start + edit.length, QTextCursor::KeepAnchor);
        cursor.insertText(edit.text);
    }
    cursor.endEditBlock();
    editor.setTextCursor(cursor);
}

} // namespace

SpellChecking::SpellChecking(Workspace& workspace, SettingsFile& settings, Prompter& prompter,
                             CommandRegistry& commands)
    : m_workspace(workspace), m_settings(settings), m_prompter(prompter), m_commands(commands),
      m_dictionary(new SpellDictionary(this)) {
    m_workspace.addListener(*this);
    connect(m_dictionary, &SpellDictionary::wordsChanged, this, [this] {
        for (Document* document : m_workspace.documents()) {
            if (DocumentWindow* window = DocumentWindow::of(*document))
                window->editorWidget()->highlighter().recheckSpelling();
        }
    });
}

SpellChecking::~SpellChecking() {
    // The document windows, whose editors ask the dictionary, have gone before.
    m_workspace.removeListener(*this);
}

void SpellChecking::registerCommands() {
    m_commands.add(QStringLiteral("CheckSpelling1"), [this] { toggle(); });
}

void SpellChecking::showIn(QAction& item) {
    m_item = &item;
    item.setCheckable(true);
    item.setChecked(isOn());
}

bool SpellChecking::isOn() const {
    return m_settings.readInt(keys::Vellum::Section, keys::Vellum::Spelling, 1) != 0;
}

void SpellChecking::toggle() {
    m_settings.writeInt(keys::Vellum::Section, keys::Vellum::Spelling, isOn() ? 0 : 1);
    m_toldNone = false;
    applyToAll();
}

void SpellChecking::applyToAll() {
    for (Document* document : m_workspace.documents())
        apply(*document);
    if (m_item)
        m_item->setChecked(isOn());
}

void SpellChecking::made(Document* document) {
    if (document)
        apply(*document);
}

void SpellChecking::apply(Document& document) {
    DocumentWindow* window = DocumentWindow::of(document);
    if (!window)
        return;
    HtmlHighlighter& highlighter = window->editorWidget()->highlighter();
    if (!isOn()) {
        highlighter.setSpelling(nullptr, {});
        return;
    }
    if (!m_dictionary->anyInstalled()) {
        // Said once; spelling stays off until the user turns it on again.
        m_settings.writeInt(keys::Vellum::Section, keys::Vellum::Spelling, 0);
        if (m_item)
            m_item->setChecked(false);
        if (!m_toldNone) {
            m_toldNone = true;
            m_prompter.inform(
                QStringLiteral("No spelling dictionary is installed; spelling stays off."));
        }
        highlighter.setSpelling(nullptr, {});
        return;
    }
    const QString language = spellingLanguage(
        documentLanguage(topOf(*window->editorWidget()->document())), QLocale::system().name(),
        [this](const QString& tag) { return m_dictionary->installed(tag); });
    highlighter.setSpelling(language.isEmpty() ? nullptr : m_dictionary, language);
}

void SpellChecking::addMenuItems(QMenu& popup, PlainTextEditor& editor, const QPoint& at) {
    for (QAction* item : popup.actions()) {
        if (item->property(SpellingItem).toBool())
            delete item;
    }
    HtmlHighlighter& highlighter = editor.highlighter();
    SpellDictionary* dictionary = highlighter.spellDictionary();
    const QTextCursor place = editor.cursorForPosition(at);
    const QTextBlock block = place.block();
    const std::optional<SpellingWord> word = highlighter.misspeltAt(block, place.positionInBlock());
    if (!dictionary || !word)
        return;
    const QString language = highlighter.spellingLanguage();
    QAction* before = popup.actions().value(0);
    const auto add = [&](const QString& caption, auto run) {
        auto* item = new QAction(caption, &popup);
        item->setProperty(SpellingItem, true);
        popup.insertAction(before, item);
        QObject::connect(item, &QAction::triggered, &editor, run);
        return item;
    };
    for (const QString& suggestion : dictionary->suggest(language, word->text)) {
        add(suggestion, [&editor, block, word = *word, suggestion] {
            replaceWord(editor, block, word, suggestion);
        });
    }
    const QString text = word->text;
    add(QStringLiteral("Add to Dictionary"), [dictionary, language, text] {
        dictionary->add(language, text);
    })->setObjectName(QStringLiteral("AddToDictionary"));
    add(QStringLiteral("Ignore"), [dictionary, language, text] {
        dictionary->ignore(language, text);
    })->setObjectName(QStringLiteral("IgnoreWord"));
    QAction* separator = new QAction(&popup);
    separator->setSeparator(true);
    separator->setProperty(SpellingItem, true);
    popup.insertAction(before, separator);
}

} // namespace vellum
