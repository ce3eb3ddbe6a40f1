#include "core/app/tab_ledger.h"

#include "core/foundation/settings_file.h"
#include "core/foundation/settings_keys.h"

namespace vellum {

namespace {
const QString Roster = QString::fromLatin1(keys::Roster::Section);
const QString Ledger = QString::fromLatin1(keys::Ledger::Section);
} // namespace

QString TabLedger::ledgerKey(const QString& key) const {
    if (m_style == PathStyle::Windows)
        return key;
    QString out;
    out.reserve(key.size() + 8);
    for (const QChar c : key) {
        if (c == QLatin1Char('^') || c.isUpper())
            out += QLatin1Char('^');
        out += c;
    }
    return out;
}

void TabLedger::add(int index, const QString& key) {
    m_settings.writeTexts(
        {{Roster, QString::number(index), key}, {Ledger, ledgerKey(key), QString::number(index)}});
}

int TabLedger::indexOf(const QString& key) const {
    return m_settings.readInt(Ledger, ledgerKey(key), 0);
}

QString TabLedger::keyAt(int index) const {
    return m_settings.readText(Roster, QString::number(index));
}

void TabLedger::close(int index, const QString& key, int openCount) {
    // Every later tab moves down one place; the whole shift is one rewrite of the settings.
    std::vector<SettingsWrite> writes{{Ledger, ledgerKey(key), QStringLiteral("-1")}};
    for (int j = index; j < openCount; ++j) {
        const QString moved = keyAt(j + 1);
        writes.push_back({Roster, QString::number(j), moved});
        if (!moved.isEmpty())
            writes.push_back({Ledger, ledgerKey(moved), QString::number(indexOf(moved) - 1)});
    }
    m_settings.writeTexts(writes);
}

void TabLedger::rename(int index, const QString& oldKey, const QString& newKey) {
    m_settings.writeTexts({{Roster, QString::number(index), newKey},
                           {Ledger, ledgerKey(oldKey), QStringLiteral("-1")},
                           {Ledger, ledgerKey(newKey), QString::number(index)}});
}

} // namespace vellum
