#include "StatisticMap.h"

#include <QStringList>
#include <algorithm>

namespace
{
const char* const kNone = "none";

bool isTagName(const QString& tag)
{
    // Tags are single words in a log: they stand between spaces.
    return !tag.isEmpty() && tag.size() <= 64 && std::all_of(tag.begin(), tag.end(), [](QChar c) {
        return c.unicode() > 0x20 && c.unicode() < 0x7F && c != QLatin1Char(',') &&
               c != QLatin1Char('=');
    });
}
} // namespace

StatisticMap StatisticMap::defaults()
{
    StatisticMap map;
    map.setTag(Statistic::Industry, "mfg");
    map.setTag(Statistic::Population, "pop");
    map.setTag(Statistic::WeaponsTech, "techs");
    return map;
}

unsigned StatisticMap::statisticsOf(std::string_view tag) const
{
    unsigned bits = 0;
    for (size_t i = 0; i < m_tags.size(); ++i) {
        if (!m_tags[i].empty() && m_tags[i] == tag)
            bits |= 1u << i;
    }
    return bits;
}

bool StatisticMap::apply(const QString& text, QString& error)
{
    StatisticMap changed = *this;
    const QStringList pairs = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (pairs.isEmpty()) {
        error = tr("no STAT=TAG pair in \"%1\"").arg(text);
        return false;
    }
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(QLatin1Char('='));
        const QString name = pair.left(equals).trimmed();
        const QString tag = equals < 0 ? QString() : pair.mid(equals + 1).trimmed();
        const std::optional<Statistic> statistic = statisticNamed(name.toStdString());
        if (equals < 0 || !statistic) {
            error = tr("\"%1\" is not STAT=TAG with STAT one of %2")
                        .arg(pair.trimmed(), QString::fromStdString(statisticNameList()));
            return false;
        }
        if (!isTagName(tag)) {
            error = tr("\"%1\" names no tag (a word, or \"none\")").arg(pair.trimmed());
            return false;
        }
        changed.setTag(*statistic, tag == QLatin1String(kNone) ? std::string() : tag.toStdString());
    }
    *this = changed;
    return true;
}

QString StatisticMap::toString() const
{
    QStringList pairs;
    for (size_t i = 0; i < m_tags.size(); ++i) {
        const std::string& tag = m_tags[i];
        pairs << QStringLiteral("%1=%2").arg(QLatin1String(kStatistics[i].name),
                                             tag.empty() ? QLatin1String(kNone)
                                                         : QString::fromStdString(tag));
    }
    return pairs.join(QLatin1Char(','));
}
