#include "catalogue/search.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace search {
namespace {

// Hepburn and kunrei spellings of each kana, hiragana after folding.
const QHash<QChar, QStringList> &kanaSpellings()
{
    static const QHash<QChar, QStringList> table = [] {
        // One row per consonant.
        // clang-format off
        const std::pair<char16_t, const char *> rows[] = {
            {u'あ', "a"}, {u'い', "i"}, {u'う', "u|wu"}, {u'え', "e"}, {u'お', "o"},
            {u'か', "ka|ca"}, {u'き', "ki"}, {u'く', "ku|cu"}, {u'け', "ke"}, {u'こ', "ko|co"},
            {u'が', "ga"}, {u'ぎ', "gi"}, {u'ぐ', "gu"}, {u'げ', "ge"}, {u'ご', "go"},
            {u'さ', "sa"}, {u'し', "si|shi"}, {u'す', "su"}, {u'せ', "se"}, {u'そ', "so"},
            {u'ざ', "za"}, {u'じ', "zi|ji"}, {u'ず', "zu"}, {u'ぜ', "ze"}, {u'ぞ', "zo"},
            {u'た', "ta"}, {u'ち', "ti|chi"}, {u'つ', "tu|tsu"}, {u'て', "te"}, {u'と', "to"},
            {u'だ', "da"}, {u'ぢ', "di|zi|ji"}, {u'づ', "du|zu"}, {u'で', "de"}, {u'ど', "do"},
            {u'な', "na"}, {u'に', "ni"}, {u'ぬ', "nu"}, {u'ね', "ne"}, {u'の', "no"},
            {u'は', "ha"}, {u'ひ', "hi"}, {u'ふ', "hu|fu"}, {u'へ', "he"}, {u'ほ', "ho"},
            {u'ば', "ba"}, {u'び', "bi"}, {u'ぶ', "bu"}, {u'べ', "be"}, {u'ぼ', "bo"},
            {u'ぱ', "pa"}, {u'ぴ', "pi"}, {u'ぷ', "pu"}, {u'ぺ', "pe"}, {u'ぽ', "po"},
            {u'ま', "ma"}, {u'み', "mi"}, {u'む', "mu"}, {u'め', "me"}, {u'も', "mo"},
            {u'や', "ya"}, {u'ゆ', "yu"}, {u'よ', "yo"},
            {u'ら', "ra|la"}, {u'り', "ri|li"}, {u'る', "ru|lu"}, {u'れ', "re|le"}, {u'ろ', "ro|lo"},
            {u'わ', "wa"}, {u'ゐ', "wi|i"}, {u'ゑ', "we|e"}, {u'を', "wo|o"}, {u'ん', "n|nn|n'"},
            {u'ゔ', "vu"},
            {u'ぁ', "xa|la"}, {u'ぃ', "xi|li"}, {u'ぅ', "xu|lu"}, {u'ぇ', "xe|le"}, {u'ぉ', "xo|lo"},
            {u'ゃ', "xya|lya"}, {u'ゅ', "xyu|lyu"}, {u'ょ', "xyo|lyo"}, {u'ゎ', "xwa|lwa"},
            {u'っ', "xtu|ltu|xtsu"},
        };
        // clang-format on
        QHash<QChar, QStringList> spellings;
        for (const auto &[kana, text] : rows)
            spellings.insert(QChar(kana), QString::fromLatin1(text).split(u'|'));
        return spellings;
    }();
    return table;
}

bool isSmallY(QChar c)
{
    return c == u'ゃ' || c == u'ゅ' || c == u'ょ';
}

bool isSmallVowel(QChar c)
{
    return c == u'ぁ' || c == u'ぃ' || c == u'ぅ' || c == u'ぇ' || c == u'ぉ';
}

QChar vowelOf(QChar smallKana)
{
    static const QString small = QStringLiteral("ぁぃぅぇぉゃゅょ");
    static const QString vowels = QStringLiteral("aiueoauo");
    return vowels.at(small.indexOf(smallKana));
}

// きゃ kya, しゃ sha/sya, じゃ ja/zya, ちゃ cha/tya; ふぁ fa, てぃ ti/thi, うぃ wi.
QStringList combinedSpellings(const QStringList &first, QChar second)
{
    const QChar vowel = vowelOf(second);
    QStringList result;
    for (const QString &spelling : first) {
        const QString consonant = spelling.chopped(1);
        if (isSmallY(second)) {
            if (!spelling.endsWith(u'i'))
                continue;
            result << consonant + u'y' + vowel;
            if (consonant.endsWith(u'h') || consonant == u"j")
                result << consonant + vowel;
        } else {
            result << (consonant.isEmpty() ? QStringLiteral("w") : consonant) + vowel;
            if (consonant == u"t" || consonant == u"d")
                result << consonant + u'h' + vowel;
        }
    }
    return result;
}

bool isAsciiAlnum(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// Where a new word begins: after a space or a sign, from lower to upper case, and where one
// script gives way to another (ﾒﾓ帳, 秀丸Editor).
enum class Script { Latin, Digit, Kana, Ideograph, Other };

Script scriptOf(QChar c)
{
    if (c.isDigit())
        return Script::Digit;
    if (c.unicode() < 0x250)
        return Script::Latin;
    if ((c.unicode() >= 0x3040 && c.unicode() <= 0x30ff) || c == u'ｰ')
        return Script::Kana;
    if (c.script() == QChar::Script_Han)
        return Script::Ideograph;
    return Script::Other;
}

QString programFileName(const QString &program)
{
    QString path = program.trimmed();
    while (path.endsWith(u'/') || path.endsWith(u'\\'))
        path.chop(1);
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(slash + 1);
}

} // namespace

double usesAt(double uses, qint64 lastUsed, qint64 now)
{
    if (uses <= 0)
        return 0;
    const qint64 age = std::max<qint64>(0, now - lastUsed);
    return uses * std::exp2(-double(age) / double(useHalfLife));
}

QString withoutAccessKey(const QString &name)
{
    if (!name.contains(u'&'))
        return name; // shared, not copied: the readings keep every name as a key
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) != u'&')
            shown += name.at(i);
        else if (i + 1 < name.size() && name.at(i + 1) == u'&')
            shown += name.at(++i);
    }
    return shown;
}

namespace {

// Folding that keeps each character's case, so that word starts can still be seen.
QString widthFolded(const QString &text)
{
    QString result = text.normalized(QString::NormalizationForm_KC);
    for (QChar &c : result) {
        // Katakana to hiragana, ヷ-ヺ and ー kept.
        if (c.unicode() >= 0x30a1 && c.unicode() <= 0x30f6)
            c = QChar(c.unicode() - 0x60);
    }
    return result;
}

} // namespace

QString folded(const QString &text)
{
    return widthFolded(text).toCaseFolded();
}

EntryKey::EntryKey(const QString &name, const QString &program, const QString &categoryName,
                   const QStringList &nameReadings, const QStringList &categoryReadings)
{
    EntryKeys alone;
    prepare(alone, name, program, categoryName, nameReadings, categoryReadings);
}

void EntryKey::prepare(EntryKeys &shared, const QString &name, const QString &program,
                       const QString &categoryName, const QStringList &nameReadings,
                       const QStringList &categoryReadings)
{
    m_nameSpoken = shared.formsOf(name, nameReadings);
    m_program = shared.programOf(program);
    m_categorySpoken = shared.formsOf(categoryName, categoryReadings);
}

EntryKey EntryKeys::make(const QString &name, const QString &program, const QString &categoryName,
                         const QStringList &nameReadings, const QStringList &categoryReadings)
{
    EntryKey key;
    key.prepare(*this, name, program, categoryName, nameReadings, categoryReadings);
    return key;
}

EntryKey::Forms EntryKeys::formsOf(const QString &name, const QStringList &readings)
{
    const std::pair<QString, QStringList> given(name, readings);
    auto known = m_forms.constFind(given);
    if (known == m_forms.cend())
        known = m_forms.insert(given, EntryKey::Forms(name, readings));
    return *known;
}

QString EntryKeys::programOf(const QString &program)
{
    auto known = m_programs.constFind(program);
    if (known == m_programs.cend())
        known = m_programs.insert(program, folded(programFileName(program)));
    return *known;
}

namespace {

void appendLength(QString &packed, qsizetype length)
{
    packed.append(QChar(char16_t(length >> 16)));
    packed.append(QChar(char16_t(length & 0xffff)));
}

qsizetype lengthAt(const QString &packed, qsizetype at)
{
    return qsizetype(packed.at(at).unicode()) << 16 | packed.at(at + 1).unicode();
}

} // namespace

EntryKey::Forms::Forms(const QString &name, const QStringList &readings)
{
    // Where a word starts is seen before case folding (the E of NewEditor).
    const QString cased = widthFolded(withoutAccessKey(name));
    QList<qsizetype> starts;
    for (qsizetype i = 1; i < cased.size(); ++i) {
        const QChar before = cased.at(i - 1), here = cased.at(i);
        if (!here.isLetterOrNumber())
            continue;
        if (!before.isLetterOrNumber() || scriptOf(before) != scriptOf(here) ||
            (before.isLower() && here.isUpper()))
            starts << i;
    }
    QStringList texts{cased.toCaseFolded()};
    for (const QString &reading : readings) {
        // A reading's own spaces are no part of it, as a query's are not.
        texts.append(search::folded(reading).remove(u' '));
    }
    QList<Reading> read;
    read.reserve(texts.size());
    qsizetype length = 2 + 2 * starts.size();
    for (const QString &text : std::as_const(texts)) {
        read.append(readingOf(text));
        length += 4 + text.size() + read.constLast().size();
    }
    m_packed.reserve(length); // kept as long as the key: no room to spare
    appendLength(m_packed, starts.size());
    for (qsizetype start : std::as_const(starts))
        appendLength(m_packed, start);
    for (qsizetype i = 0; i < texts.size(); ++i) {
        appendLength(m_packed, texts.at(i).size());
        m_packed += texts.at(i);
        appendLength(m_packed, read.at(i).size());
        m_packed.append(reinterpret_cast<const QChar *>(read.at(i).constData()), read.at(i).size());
    }
}

qsizetype EntryKey::Forms::begin() const
{
    return 2 + 2 * lengthAt(m_packed, 0);
}

bool EntryKey::Forms::isWordStart(qsizetype at) const
{
    for (qsizetype i = 2; i < begin(); i += 2) {
        if (lengthAt(m_packed, i) == at)
            return true;
    }
    return false;
}

std::pair<EntryKey::Spoken, qsizetype> EntryKey::Forms::at(qsizetype from) const
{
    const qsizetype textLength = lengthAt(m_packed, from);
    const qsizetype readingFrom = from + 2 + textLength + 2;
    const qsizetype readingLength = lengthAt(m_packed, readingFrom - 2);
    const auto *units = reinterpret_cast<const quint16 *>(m_packed.constData());
    return {{QStringView(m_packed).sliced(from + 2, textLength),
             std::span(units + readingFrom, size_t(readingLength))},
            readingFrom + readingLength};
}

// The first form is the text itself, whose characters were already compared; the readings
// match as kana or as romaji.
bool EntryKey::anySpokenMatches(const Forms &forms, const Query::Word &word)
{
    for (qsizetype at = forms.begin(), i = 0; at < forms.end(); ++i) {
        const auto [form, next] = forms.at(at);
        if ((i > 0 && findWord(form, word) >= 0) ||
            (word.romaji && readingMatches(form.reading, word.text)))
            return true;
        at = next;
    }
    return false;
}

qsizetype EntryKey::findWord(const Spoken &form, const Query::Word &word, qsizetype from)
{
    const QStringView head = word.head();
    for (qsizetype at = form.text.indexOf(head, from); at >= 0;
         at = form.text.indexOf(head, at + 1)) {
        if (word.romajiTail == 0 || readingMatches(form.reading, word.tail(), at + head.size()))
            return at;
    }
    return -1;
}

namespace {

// Every spelling is kept once, here, and a reading refers to it by number: 792 entries'
// readings then take a few kilobytes instead of a string per letter.
struct SpellingPool
{
    QHash<QString, quint32> numbers;
    QList<QString> texts;
};

SpellingPool &spellingPool()
{
    static SpellingPool pool;
    return pool;
}

quint32 spellingNumber(const QString &spelling)
{
    SpellingPool &pool = spellingPool();
    if (const auto known = pool.numbers.constFind(spelling); known != pool.numbers.cend())
        return *known;
    pool.texts.append(spelling);
    // A few hundred: the kana's spellings and ASCII letters and digits.
    Q_ASSERT(pool.texts.size() < 1 << 14);
    return *pool.numbers.insert(spelling, quint32(pool.texts.size() - 1));
}

const QString &spellingText(quint32 number)
{
    return spellingPool().texts.at(number);
}

} // namespace

EntryKey::Reading EntryKey::readingOf(const QString &text)
{
    const auto &table = kanaSpellings();
    // What may be typed at each position, with how many characters it reaches.
    std::vector<QList<std::pair<QString, int>>> at(size_t(text.size()));
    // From the end, so that a っ can double the consonant of what follows it.
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        const QChar c = text.at(i);
        auto &here = at[size_t(i)];
        if (isAsciiAlnum(c)) {
            here.append({QString(c), 1});
        } else if (c == u'っ') {
            if (i + 1 < text.size()) {
                for (const auto &next : at[size_t(i + 1)]) {
                    const QChar first = next.first.at(0);
                    if (first.isLetter() && !QStringLiteral("aiueon").contains(first))
                        here.append({QString(first), 1});
                    if (next.first.startsWith(u"ch"))
                        here.append({QStringLiteral("t"), 1});
                }
            }
            for (const QString &spelling : table.value(c))
                here.append({spelling, 1});
        } else if (c == u'ー' || c == u'-') {
            here.append({QStringLiteral("-"), 1});
            here.append({QString(), 1});
            if (i > 0 && table.contains(text.at(i - 1)))
                here.append({table.value(text.at(i - 1)).first().right(1), 1});
        } else if (const auto spellings = table.find(c); spellings != table.end()) {
            for (const QString &spelling : *spellings)
                here.append({spelling, 1});
            if (i + 1 < text.size() && (isSmallY(text.at(i + 1)) || isSmallVowel(text.at(i + 1)))) {
                for (const QString &spelling : combinedSpellings(*spellings, text.at(i + 1)))
                    here.append({spelling, 2});
            }
        }
    }
    // As many characters as the numbers can place, all of them but in a text of tens of
    // thousands.
    constexpr qsizetype most = std::numeric_limits<quint16>::max();
    qsizetype read = 0, spellings = 0;
    while (read < text.size() && read + 2 + spellings + at[size_t(read)].size() <= most)
        spellings += at[size_t(read++)].size();
    const qsizetype positions = read + 1;
    Reading reading;
    reading.reserve(positions + spellings); // kept as long as the key: no room to spare
    quint16 next = quint16(positions);
    for (qsizetype i = 0; i < read; ++i) {
        reading.append(next);
        next += quint16(at[size_t(i)].size());
    }
    reading.append(next);
    for (qsizetype i = 0; i < read; ++i) {
        for (const auto &[spelling, reach] : at[size_t(i)])
            reading.append(quint16(spellingNumber(spelling) << 2 | quint32(reach)));
    }
    return reading;
}

// The query may end inside the last kana's spelling (mem finds めも).
bool EntryKey::readingMatches(std::span<const quint16> reading, QStringView query,
                              qsizetype onlyFrom)
{
    const qsizetype positions = reading[0], length = query.size();
    // No kana is spelt with more than four letters.
    if (length > 4 * (positions - 1))
        return false;
    // Each state (position in the reading, characters of the query spelt) is tried once.
    std::vector<bool> tried(size_t(positions * (length + 1)));
    std::vector<std::pair<qsizetype, qsizetype>> pending;
    const qsizetype first = onlyFrom < 0 ? 0 : onlyFrom;
    const qsizetype last = onlyFrom < 0 ? positions - 1 : std::min(onlyFrom + 1, positions - 1);
    for (qsizetype start = first; start < last; ++start) {
        if (reading[start] == reading[start + 1])
            continue; // nothing spells it
        pending.emplace_back(start, 0);
        while (!pending.empty()) {
            const auto [at, spelt] = pending.back();
            pending.pop_back();
            if (spelt == length)
                return true;
            const size_t state = size_t(at * (length + 1) + spelt);
            if (at + 1 >= positions || tried[state])
                continue;
            tried[state] = true;
            const QStringView rest = query.mid(spelt);
            for (qsizetype s = reading[at]; s < reading[at + 1]; ++s) {
                const QString &spelling = spellingText(reading[s] >> 2);
                if (rest.startsWith(spelling))
                    pending.emplace_back(at + (reading[s] & 3), spelt + spelling.size());
                else if (spelling.startsWith(rest))
                    return true;
            }
        }
    }
    return false;
}

std::optional<MatchKind> EntryKey::match(const Query &query) const
{
    std::optional<MatchKind> worst;
    for (const Query::Word &word : query.words) {
        const auto kind = matchWord(word);
        if (!kind)
            return std::nullopt;
        worst = std::max(worst.value_or(*kind), *kind);
    }
    if (worst && isExactName(query))
        return MatchKind::ExactName;
    return worst;
}

bool EntryKey::isExactName(const Query &query) const
{
    const QStringView name = m_nameSpoken.first().text;
    const auto skipBlanks = [&name](qsizetype at) {
        while (at < name.size() && name.at(at).isSpace())
            ++at;
        return at;
    };
    qsizetype at = 0;
    for (const Query::Word &word : query.words) {
        at = skipBlanks(at);
        if (!name.sliced(at).startsWith(word.text))
            return false;
        at += word.text.size();
        if (at < name.size() && !name.at(at).isSpace())
            return false;
    }
    return skipBlanks(at) == name.size();
}

std::optional<MatchKind> EntryKey::matchWord(const Query::Word &word) const
{
    const Spoken name = m_nameSpoken.first();
    const qsizetype at = findWord(name, word);
    if (at == 0)
        return MatchKind::NamePrefix;
    if (at > 0) {
        for (qsizetype from = at; from >= 0; from = findWord(name, word, from + 1)) {
            if (m_nameSpoken.isWordStart(from))
                return MatchKind::WordStart;
        }
        return MatchKind::Substring;
    }
    // A reading is only tried for what a name's characters could not give.
    if (anySpokenMatches(m_nameSpoken, word))
        return MatchKind::Reading;
    if (m_program.contains(word.text) || findWord(m_categorySpoken.first(), word) >= 0 ||
        anySpokenMatches(m_categorySpoken, word))
        return MatchKind::ProgramOrCategory;
    return std::nullopt;
}

Query::Query(const QString &typed)
{
    // Folding makes an ideographic space an ordinary one.
    const QString text = folded(typed);
    for (qsizetype from = 0, to = 0; from < text.size(); from = to + 1) {
        to = from;
        while (to < text.size() && !text.at(to).isSpace())
            ++to;
        if (to == from)
            continue;
        const QString word = text.mid(from, to - from);
        const auto isLetter = [](QChar c) {
            return c >= u'a' && c <= u'z';
        };
        const bool romaji = std::all_of(word.begin(), word.end(), [&](QChar c) {
            return isLetter(c) || c == u'-' || c == u'\'';
        });
        // A tail that begins no kana (でq) spells nothing: only a name holding it as it is
        // matches, as the composition can become nothing a name is read as.
        const auto tailStart = std::find_if_not(word.rbegin(), word.rend(), isLetter);
        const qsizetype tail = tailStart - word.rbegin();
        const bool afterKana = tailStart != word.rend() && scriptOf(*tailStart) == Script::Kana;
        words.append({word, romaji, afterKana ? tail : 0});
    }
}

QList<Found> find(const QList<Candidate> &candidates, const Query &query, qint64 now)
{
    struct Ranked
    {
        MatchKind kind;
        double use;
        qint64 lastUsed;
        qsizetype order;
    };
    std::vector<Ranked> ranked;
    ranked.reserve(size_t(candidates.size()));
    for (qsizetype i = 0; i < candidates.size(); ++i) {
        const Candidate &candidate = candidates.at(i);
        if (query.isEmpty()) {
            ranked.push_back({MatchKind::NamePrefix, 0, std::min(candidate.lastUsed, now), i});
        } else if (const auto kind = candidate.key->match(query)) {
            ranked.push_back({*kind, usesAt(candidate.uses, candidate.lastUsed, now), 0, i});
        }
    }
    std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked &a, const Ranked &b) {
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (a.lastUsed != b.lastUsed)
            return a.lastUsed > b.lastUsed;
        return a.use > b.use;
    });
    QList<Found> found;
    found.reserve(qsizetype(ranked.size()));
    for (const Ranked &r : ranked)
        found.append({candidates.at(r.order).category, candidates.at(r.order).index});
    return found;
}

QList<Found> menuOrder(const Catalogue &catalogue)
{
    QList<Found> order;
    for (int c : Catalogue::MenuOrder) {
        for (int k = 1; k <= catalogue.EntryCount(c); ++k)
            order.append({c, k});
    }
    return order;
}

} // namespace search
