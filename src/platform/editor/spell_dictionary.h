#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>

struct str_enchant_broker;
struct str_enchant_dict;

namespace vellum {

/// The spelling dictionaries installed on the system, through Enchant, and the user's personal
/// word list (kept by Enchant in its configuration folder, which ENCHANT_CONFIG_DIR moves).
/// Languages are dictionary tags such as "en_US" or "de". Answers are remembered per language,
/// as the same words are asked about each time a paragraph is drawn.
///
/// Loading a dictionary takes a tenth of a second or more, so it is done on a thread of its own
/// the first time a language is asked about: until then every word counts as right, and
/// wordsChanged() is sent once it is there.
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

    /// Whether `language`'s dictionary has been loaded (or is known to be missing); asking starts
    /// loading it.
    bool ready(const QString& language);
    /// Whether `word` is spelt right in `language` (true when there is no such dictionary, or
    /// it is still loading).
    bool check(const QString& language, const QString& word);
    /// Up to five spellings `language`'s dictionary offers for `word`, best first.
    QStringList suggest(const QString& language, const QString& word);
    /// Puts `word` into the user's personal word list of `language`, for good.
    void add(const QString& language, const QString& word);
    /// Takes `word` as right in `language` until the program ends.
    void ignore(const QString& language, const QString& word);

signals:
    /// A word was added or ignored, or a dictionary has come in: what was drawn may be wrong now.
    void wordsChanged();

private:
    struct Loading;
    Loading& loading(const QString& language);
    /// The loaded dictionary of `language`, waiting for it if need be; null when none is installed.
    str_enchant_dict* dictionary(const QString& language);
    QHash<QString, bool>& answers(const QString& language);

    str_enchant_broker* broker() const;

    mutable str_enchant_broker* m_broker = nullptr;
    mutable bool m_brokerMade = false;
    std::map<QString, std::unique_ptr<Loading>> m_dictionaries;
    // Each language's answers; the one asked about last is kept at hand, as a paragraph asks
    // about all its words in one language.
    std::map<QString, QHash<QString, bool>> m_answers;
    QString m_lastLanguage;
    QHash<QString, bool>* m_lastAnswers = nullptr;
};

} // namespace vellum
