#include "TurnNumber.h"

std::optional<int> TurnNumber::parse(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > kMax)
            return std::nullopt;
    }
    return int(value);
}
