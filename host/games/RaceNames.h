// The one rule by which every reader names a race, so that no race is ever
// dropped for its name: a name the ANSI code page holds is kept byte for
// byte, any other is folded to its nearest form the code page holds, and a
// name that another race of the game already has gets " (2)", " (3)", ...
#pragma once

#include <QCoreApplication>
#include <QString>
#include <map>
#include <optional>
#include <string>
#include <string_view>

class Game;

struct RaceName {
    std::string ansi;    // what the plug-in sees
    QString displayName; // the files' own name, with the same suffix
    bool folded = false;
    bool utf8 = true; // false: the files' bytes are no UTF-8 text, and each bad sequence became '?'
    // Set when a name kept is longer than the files' own: odd bytes shown as
    // U+FFFD, a fold or a suffix can take it past kMaxNameBytes, and then the
    // race could not be written out and read back as the same race.
    std::optional<QString> problem;
};

// One per game and reader, as it remembers the suffixes it gave: a log of
// many players of one name must not cost a search through all of them each.
class RaceNames
{
public:
    static constexpr size_t kMaxNameBytes = 255;

    // Why the files' name cannot name a race: it holds a control character
    // (NUL among them, which would cut it short on its way to the plug-in),
    // or is longer than kMaxNameBytes, when every request for it would carry
    // it. Nothing for a good name.
    static std::optional<QString> problem(std::string_view utf8);

    RaceName name(const Game& game, std::string_view utf8);

private:
    std::map<std::string, size_t, std::less<>> m_nextSuffix;

    Q_DECLARE_TR_FUNCTIONS(RaceNames)
};
