#include "core/editor/wrap_rules.h"

#include <QChar>

#include <array>

namespace vellum {

namespace {

// Line-break classes, in the order of the pair table's rows and columns; SP and Unknown are
// resolved before the table is consulted.
enum Class : std::uint8_t {
    OP,
    CL,
    CP,
    QU,
    GL,
    NS,
    EX,
    SY,
    IS,
    PR,
    PO,
    NU,
    AL,
    HL,
    ID,
    IN,
    HY,
    BA,
    BB,
    B2,
    SP,
    Unknown
};

// What a pair of classes allows: a direct break, a break only after spaces, or none. Rows are the
// class before, columns the class after. (IN and HH of the full rules act here as IB and DB: the
// opening punctuation understood is narrow and no Hebrew letter is.)
enum Action : std::uint8_t { PB, DB, IB };

constexpr Action PairTable[20][20] = {
    // OP  CL  CP  QU  GL  NS  EX  SY  IS  PR  PO  NU  AL  HL  ID  IN  HY  BA  BB  B2
    {PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB, PB}, // OP
    {DB, PB, PB, IB, IB, PB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // CL
    {DB, PB, PB, IB, IB, PB, PB, PB, PB, DB, DB, IB, IB, IB, DB, IB, IB, IB, DB, DB}, // CP
    {PB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB}, // QU
    {IB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB}, // GL
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // NS
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // EX
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, DB, IB, DB, IB, IB, IB, DB, DB}, // SY
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, IB, IB, DB, IB, IB, IB, DB, DB}, // IS
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, IB, IB, IB, IB, IB, IB, IB, DB, DB}, // PR
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, IB, IB, IB, DB, IB, IB, IB, DB, DB}, // PO
    {IB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, DB, IB, IB, IB, DB, DB}, // NU
    {IB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, DB, IB, IB, IB, DB, DB}, // AL
    {IB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, DB, IB, IB, IB, DB, DB}, // HL
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, IB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // ID
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // IN
    {DB, PB, PB, IB, DB, IB, PB, PB, PB, DB, DB, IB, DB, DB, DB, IB, IB, IB, DB, DB}, // HY
    {DB, PB, PB, IB, DB, IB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, DB}, // BA
    {IB, PB, PB, IB, IB, IB, PB, PB, PB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB, IB}, // BB
    {DB, PB, PB, IB, IB, IB, PB, PB, PB, DB, DB, DB, DB, DB, DB, IB, IB, IB, DB, PB}, // B2
};

// Numbers such as "$(1,234.50)%" are not broken inside: a small machine over these groups
// recognises (PR|PO)? (OP|HY)? NU (NU|SY|IS)* (CL|CP)? (PR|PO)?.
enum NumberGroup : std::uint8_t { NX, PRPO, OPHY, NUM, SYIS, CLCP };
enum NumberStep : std::uint8_t { None, Start, Continue, Break };

constexpr NumberStep NumberTable[6][6] = {
    // NX      PRPO      OPHY      NUM       SYIS      CLCP
    {None, Start, Start, Start, None, None},             // NX
    {None, Start, Continue, Continue, None, None},       // PRPO
    {None, Start, Start, Continue, None, None},          // OPHY
    {Break, Break, Break, Continue, Continue, Continue}, // NUM
    {Break, Break, Break, Continue, Continue, Continue}, // SYIS
    {Break, Continue, Break, Break, Break, Break},       // CLCP
};

// A character's entry: its class in the low five bits, and whether it is a mathematical symbol of
// class AL (which counts as a separator inside a number).
constexpr std::uint8_t MathFlag = 0x20;

using ClassTable = std::array<std::uint8_t, 0x10000>;

ClassTable buildClassTable() {
    ClassTable table;
    table.fill(Unknown);
    for (char16_t c = 'a'; c <= 'z'; ++c)
        table[c] = AL;
    for (char16_t c = 'A'; c <= 'Z'; ++c)
        table[c] = AL;
    for (char16_t c = '0'; c <= '9'; ++c)
        table[c] = NU;
    const struct {
        char c;
        std::uint8_t cls;
    } ascii[] = {{'\t', BA}, {' ', SP}, {'!', EX},  {'"', QU},  {'#', AL}, {'$', PR},
                 {'%', PO},  {'&', AL}, {'\'', QU}, {'(', OP},  {')', CP}, {'*', AL},
                 {'+', PR},  {',', IS}, {'-', HY},  {'.', IS},  {'/', SY}, {':', IS},
                 {';', IS},  {'@', AL}, {'[', OP},  {'\\', PR}, {']', CP}, {'^', AL},
                 {'_', AL},  {'`', AL}, {'{', OP},  {'|', BA},  {'}', CL}, {'?', EX}};
    for (const auto& entry : ascii)
        table[static_cast<unsigned char>(entry.c)] = entry.cls;
    for (const char c : {'<', '=', '>', '~'})
        table[static_cast<unsigned char>(c)] = AL | MathFlag;
    // Letters of the alphabetic scripts; symbols, marks and modifier letters among them are left
    // to the real layout.
    const auto letters = [&table](char16_t from, char16_t to) {
        for (char32_t c = from; c <= to; ++c) {
            const QChar::Category category = QChar::category(c);
            if (category == QChar::Letter_Uppercase || category == QChar::Letter_Lowercase ||
                category == QChar::Letter_Titlecase || category == QChar::Letter_Other)
                table[c] = AL;
        }
    };
    letters(0x00C0, 0x024F); // Latin-1 letters, Latin Extended-A and -B
    letters(0x0386, 0x03CE); // Greek
    letters(0x0400, 0x04FF); // Cyrillic
    table[0x00AB] = QU;      // guillemets
    table[0x00BB] = QU;
    table[0x2010] = BA; // hyphen
    table[0x2013] = BA; // en dash
    table[0x2014] = B2; // em dash
    for (const char16_t c : {u'\u2018', u'\u2019', u'\u201C', u'\u201D'})
        table[c] = QU;
    table[0x2026] = IN; // ellipsis
    for (char32_t c = 0x4E00; c <= 0x9FEF; ++c)
        table[c] = ID; // CJK unified ideographs
    return table;
}

const ClassTable& classTable() {
    static const ClassTable table = buildClassTable();
    return table;
}

NumberGroup numberGroup(std::uint8_t entry) {
    switch (entry & ~MathFlag) {
    case AL:
        return (entry & MathFlag) ? SYIS : NX;
    case PR:
    case PO:
        return PRPO;
    case OP:
    case HY:
        return OPHY;
    case NU:
        return NUM;
    case SY:
    case IS:
        return SYIS;
    case CL:
    case CP:
        return CLCP;
    default:
        return NX;
    }
}

} // namespace

bool isQuicklyWrapped(char16_t c) {
    return classTable()[c] != Unknown;
}

bool lineBreakOpportunities(QStringView text, std::vector<std::uint8_t>& breakBefore) {
    const ClassTable& table = classTable();
    const qsizetype n = text.size();
    breakBefore.assign(static_cast<std::size_t>(n) + 1, 0);
    if (n == 0)
        return true;
    const char16_t* chars = text.utf16();

    std::uint8_t first = table[chars[0]];
    if (first == Unknown)
        return false;
    // `cls` is the class that decides the next pair (spaces do not replace it); `last` is the
    // class of the character just before, spaces included.
    std::uint8_t cls = first & ~MathFlag;
    std::uint8_t last = cls;
    NumberGroup numberLast = NX;
    qsizetype numberStart = 0;
    std::uint8_t* breaks = breakBefore.data();

    for (qsizetype i = 1; i < n; ++i) {
        // Letters after letters (most of any text) change nothing outside a number.
        if (cls == AL && last == AL && numberLast == NX) {
            while (i < n && table[chars[i]] == AL)
                ++i;
            if (i == n)
                break;
        }
        const std::uint8_t entry = table[chars[i]];
        if (entry == Unknown)
            return false;
        const std::uint8_t next = entry & ~MathFlag;
        if (next == SP) {
            last = SP;
            continue;
        }
        const NumberGroup group = numberGroup(entry);
        switch (NumberTable[numberLast][group]) {
        case Break:
            for (qsizetype j = numberStart + 1; j < i; ++j)
                breaks[j] = 0;
            numberLast = NX;
            break;
        case None:
            numberLast = NX;
            break;
        case Start:
            numberStart = i;
            numberLast = group;
            break;
        case Continue:
            numberLast = group;
            break;
        }
        const std::uint8_t before = cls == SP ? std::uint8_t{AL} : cls;
        switch (PairTable[before][next]) {
        case DB:
            breaks[i] = 1;
            break;
        case IB:
            if (last == SP)
                breaks[i] = 1;
            break;
        case PB:
            break;
        }
        cls = next;
        last = next;
    }
    if (NumberTable[numberLast][NX] == Break) {
        for (qsizetype j = numberStart + 1; j < n; ++j)
            breaks[j] = 0;
    }
    breaks[0] = 0;
    breaks[n] = 1;
    return true;
}

} // namespace vellum
