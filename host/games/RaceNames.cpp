#include "RaceNames.h"

#include "AnsiText.h"
#include "Game.h"

RaceName RaceNames::name(const Game& game, std::string_view utf8)
{
    RaceName name;
    std::optional<std::string> exact = AnsiText::fromUtf8(utf8);
    name.folded = !exact;
    name.ansi = exact ? std::move(*exact) : AnsiText::fold(utf8);
    name.displayName = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    name.utf8 = QStringView(name.displayName).toUtf8() ==
                QByteArray::fromRawData(utf8.data(), qsizetype(utf8.size()));
    if (game.findRace(name.ansi) == nullptr)
        return name;
    auto next = m_nextSuffix.try_emplace(name.ansi, 2).first;
    for (;; ++next->second) {
        const std::string suffix = " (" + std::to_string(next->second) + ")";
        if (game.findRace(name.ansi + suffix) == nullptr) {
            ++next->second;
            name.ansi += suffix;
            name.displayName += QString::fromStdString(suffix);
            return name;
        }
    }
}
