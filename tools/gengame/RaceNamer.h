// Invents pronounceable names from syllables, in Latin or Cyrillic letters,
// never the same name twice for one namer.
#pragma once

#include "RandomSource.h"

#include <QSet>
#include <QString>

class RaceNamer
{
public:
    enum class Script { Latin, Cyrillic };

    explicit RaceNamer(RandomSource& random) : m_random(random) {}

    QString raceName(Script script);
    QString gameName();

private:
    QString word(Script script);

    RandomSource& m_random;
    QSet<QString> m_used;
};
