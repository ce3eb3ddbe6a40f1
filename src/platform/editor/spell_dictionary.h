#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>

struct str_enchant_broker;
struct str_enchant_dict;

namespace vellum {

/// The spelling dictionaries installed on the system, through Enchant, and the user's personal
/// word list (kept by Enchant in its configuration folder, which ENCHANT_CONFIG_DIR moves).
/// Languages are dictionary tags such as "en_US" or "de". Answers are remembered per language,
/// as the same words are asked about each time a paragraph is drawn.
class SpellDictionary : public QObject {
    Q_OBJECT
public:
    explicit SpellDictionary(QObject* parent = nullptr);
    ~SpellDictionary() override;
    SpellDictionary(const SpellDictionary&) = delete;
    SpellDictionary& operator=(const SpellDictionary&) = delete;

    /// Whether any dictionary at all is installed.
    bool anyInstalled() const;
    /// Whether a dictionary for `language` is installed.
    bool installed(const QString& language) const;

    /// Whether `word` is spelt right in `language` (true when there is no such dictionary).
    bool check(const QString& language, const QString& word);
    /// Up to five spellings `language`'s dictionary offers for `word`, best first.
    QStringList suggest(const QString& language, const QString& word);
    /// Puts `word` into the user's personal word list of `language`, for good.
    void add(const QString& language, const QString& word);
    /// Takes `word` as right in `language` until the program ends.
    void ignore(const QString& language, const QString& word);

signals:
    /// A word was added or ignored: what was drawn as misspelt may be right now.
    void wordsChanged();

private:
    str_enchant_dict* dictionary(const QString& language);

    str_enchant_broker* m_broker;
    std::map<QString, str_enchant_dict*> m_dictionaries; // null: none installed
    QHash<QString, QHash<QString, bool>> m_answers;
};

} // namespace vellum
