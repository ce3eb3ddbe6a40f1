#include "platform/editor/spell_dictionary.h"

#include <enchant.h>

#include <atomic>
#include <thread>

namespace vellum {

namespace {

constexpr int MaxSuggestions = 5;

void countDictionary(const char*, const char*, const char*, const char*, void* count) {
    ++*static_cast<int*>(count);
}

} // namespace

// One language's dictionary, loaded on its own thread. An Enchant broker may be used by one
// thread at a time, so the thread has a broker of its own, which then keeps the dictionary.
struct SpellDictionary::Loading {
    std::thread thread;
    std::atomic<bool> done{false};
    EnchantBroker* broker = nullptr;
    EnchantDict* dictionary = nullptr;

    void wait() {
        if (thread.joinable())
            thread.join();
    }
    ~Loading() {
        wait();
        if (dictionary)
            enchant_broker_free_dict(broker, dictionary);
        if (broker)
            enchant_broker_free(broker);
    }
};

SpellDictionary::SpellDictionary(QObject* parent) : QObject(parent) {}

EnchantBroker* SpellDictionary::broker() const {
    // Made when first needed: with spelling off the program never starts Enchant.
    if (!m_brokerMade) {
        m_brokerMade = true;
        m_broker = enchant_broker_init();
    }
    return m_broker;
}

SpellDictionary::~SpellDictionary() {
    m_dictionaries.clear();
    if (m_broker)
        enchant_broker_free(m_broker);
}

bool SpellDictionary::anyInstalled() const {
    if (!broker())
        return false;
    int count = 0;
    enchant_broker_list_dicts(m_broker, countDictionary, &count);
    return count > 0;
}

bool SpellDictionary::installed(const QString& language) const {
    return !language.isEmpty() && broker() &&
           enchant_broker_dict_exists(m_broker, language.toUtf8().constData()) != 0;
}

SpellDictionary::Loading& SpellDictionary::loading(const QString& language) {
    std::unique_ptr<Loading>& load = m_dictionaries[language];
    if (load)
        return *load;
    load = std::make_unique<Loading>();
    if (!installed(language)) {
        load->done = true;
        return *load;
    }
    Loading* into = load.get();
    into->thread = std::thread([this, into, tag = language.toUtf8()] {
        into->broker = enchant_broker_init();
        if (into->broker)
            into->dictionary = enchant_broker_request_dict(into->broker, tag.constData());
        into->done = true;
        // Dropped unasked if this object goes first (it waits for the thread before it goes).
        QMetaObject::invokeMethod(this, &SpellDictionary::wordsChanged, Qt::QueuedConnection);
    });
    return *load;
}

bool SpellDictionary::ready(const QString& language) {
    return loading(language).done;
}

EnchantDict* SpellDictionary::dictionary(const QString& language) {
    Loading& load = loading(language);
    load.wait();
    return load.dictionary;
}

QHash<QString, bool>& SpellDictionary::answers(const QString& language) {
    if (!m_lastAnswers || language != m_lastLanguage) {
        m_lastAnswers = &m_answers[language];
        m_lastLanguage = language;
    }
    return *m_lastAnswers;
}

bool SpellDictionary::check(const QString& language, const QString& word) {
    QHash<QString, bool>& answers = this->answers(language);
    const auto known = answers.constFind(word);
    if (known != answers.constEnd())
        return *known;
    if (!ready(language))
        return true;
    EnchantDict* dict = dictionary(language);
    const QByteArray utf8 = word.toUtf8();
    // Enchant answers 0 for a word it knows, more for one it does not, less on an error.
    const bool right = !dict || enchant_dict_check(dict, utf8.constData(), utf8.size()) <= 0;
    answers.insert(word, right);
    return right;
}

QStringList SpellDictionary::suggest(const QString& language, const QString& word) {
    QStringList out;
    EnchantDict* dict = dictionary(language);
    if (!dict)
        return out;
    const QByteArray utf8 = word.toUtf8();
    size_t count = 0;
    char** suggestions = enchant_dict_suggest(dict, utf8.constData(), utf8.size(), &count);
    for (size_t i = 0; i < count && out.size() < MaxSuggestions; ++i)
        out << QString::fromUtf8(suggestions[i]);
    if (suggestions)
        enchant_dict_free_string_list(dict, suggestions);
    return out;
}

void SpellDictionary::add(const QString& language, const QString& word) {
    if (EnchantDict* dict = dictionary(language)) {
        const QByteArray utf8 = word.toUtf8();
        enchant_dict_add(dict, utf8.constData(), utf8.size());
    }
    answers(language).insert(word, true);
    emit wordsChanged();
}

void SpellDictionary::ignore(const QString& language, const QString& word) {
    if (EnchantDict* dict = dictionary(language)) {
        const QByteArray utf8 = word.toUtf8();
        enchant_dict_add_to_session(dict, utf8.constData(), utf8.size());
    }
    answers(language).insert(word, true);
    emit wordsChanged();
}

} // namespace vellum
