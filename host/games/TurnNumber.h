// Turn numbers as they appear in files and requests: plain decimal digits,
// from 0 up to a bound. The bound keeps a typo such as 1000000000 from
// turning into a game that claims a billion turns.
#pragma once

#include <optional>
#include <string_view>

class TurnNumber
{
public:
    static constexpr int kMax = 100000;

    // Digits only (no sign, no blanks), at most kMax; otherwise nothing.
    static std::optional<int> parse(std::string_view text);
};
