#include "RaceNamer.h"

#include <array>

namespace
{
constexpr std::array<const char*, 24> kLatinSyllables{
    "ka", "vel", "mor", "tan", "ri",  "os",  "dra", "zen", "lu",  "qua", "thi", "bor",
    "sa", "ne",  "vix", "ul",  "pre", "gan", "to",  "mir", "ash", "el",  "yo",  "dun"};
constexpr std::array<const char*, 24> kCyrillicSyllables{
    "ра", "вел", "мор", "тан", "ки",  "зо",  "дра", "лун", "гор", "ви", "сен", "то",
    "ба", "ней", "лес", "ол",  "пре", "жан", "ту",  "мир", "аш",  "ел", "ю",   "дар"};
constexpr std::array<const char*, 6> kLatinEndings{"", "i", "ans", "ar", "ids", "en"};
constexpr std::array<const char*, 6> kCyrillicEndings{"", "ы", "аны", "ары", "иды", "ены"};
constexpr std::array<const char*, 6> kGameWords{"Reach",   "Expanse", "Drift",
                                                "Cluster", "Verge",   "Deep"};

template <size_t N> QString pick(RandomSource& random, const std::array<const char*, N>& from)
{
    return QString::fromUtf8(from[size_t(random.below(int(N)))]);
}

QString capitalised(QString text)
{
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}
} // namespace

QString RaceNamer::word(Script script)
{
    const bool latin = script == Script::Latin;
    const int syllables = 2 + m_random.below(2);
    QString text;
    for (int i = 0; i < syllables; ++i)
        text += latin ? pick(m_random, kLatinSyllables) : pick(m_random, kCyrillicSyllables);
    text += latin ? pick(m_random, kLatinEndings) : pick(m_random, kCyrillicEndings);
    return capitalised(text);
}

QString RaceNamer::raceName(Script script)
{
    // A few tries nearly always find a fresh name; a numbered one ends the
    // search for games with thousands of races.
    QString name;
    for (int attempt = 0; attempt < 20; ++attempt) {
        name = word(script);
        if (!m_used.contains(name))
            break;
    }
    for (int number = 2; m_used.contains(name); ++number)
        name = QStringLiteral("%1 %2").arg(word(script)).arg(number);
    m_used.insert(name);
    return name;
}

QString RaceNamer::gameName()
{
    return word(Script::Latin) + QLatin1Char(' ') + pick(m_random, kGameWords);
}
