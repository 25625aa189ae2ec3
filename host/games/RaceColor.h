// A race's colour is written "#RRGGBB" in the game files and travels to the
// plug-in as the decimal of a 0x00BBGGRR value, the byte order of the
// original platform's colour values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class RaceColor
{
public:
    // Exactly "#" and six hex digits, either letter case; anything else is
    // no colour.
    static std::optional<uint32_t> parse(std::string_view text);
    static std::string format(uint32_t bgr);
    static uint32_t fromRgb(int red, int green, int blue);
};
