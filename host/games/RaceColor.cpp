#include "RaceColor.h"

#include <cstdio>

namespace
{
int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<int> hexByte(std::string_view two)
{
    const int high = hexDigit(two[0]);
    const int low = hexDigit(two[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return high * 16 + low;
}
} // namespace

std::optional<uint32_t> RaceColor::parse(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    const auto red = hexByte(text.substr(1, 2));
    const auto green = hexByte(text.substr(3, 2));
    const auto blue = hexByte(text.substr(5, 2));
    if (!red || !green || !blue)
        return std::nullopt;
    return fromRgb(*red, *green, *blue);
}

std::string RaceColor::format(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(bgr & 0xFF),
                  unsigned((bgr >> 8) & 0xFF), unsigned((bgr >> 16) & 0xFF));
    return text;
}

uint32_t RaceColor::fromRgb(int red, int green, int blue)
{
    return uint32_t(red & 0xFF) | (uint32_t(green & 0xFF) << 8) | (uint32_t(blue & 0xFF) << 16);
}
