#include "RacePalette.h"

#include "RaceColor.h"

#include <array>

namespace
{
struct Rgb {
    int red, green, blue;
};

// The most distinct first, since most games have few players.
constexpr std::array<Rgb, RacePalette::kSize> kColors{{
    {255, 80, 80},   // red
    {60, 200, 75},   // green
    {255, 225, 25},  // yellow
    {90, 140, 255},  // blue
    {255, 140, 40},  // orange
    {70, 230, 230},  // cyan
    {240, 80, 230},  // magenta
    {190, 245, 20},  // lime
    {255, 175, 200}, // pink
    {0, 170, 160},   // teal
    {200, 160, 255}, // lavender
    {200, 140, 80},  // brown
    {150, 255, 190}, // mint
    {170, 170, 40},  // olive
    {255, 205, 160}, // apricot
    {130, 200, 255}, // sky
    {180, 110, 255}, // violet
    {255, 120, 140}, // coral
}};
} // namespace

uint32_t RacePalette::color(size_t index)
{
    const Rgb& rgb = kColors[index % kColors.size()];
    return RaceColor::fromRgb(rgb.red, rgb.green, rgb.blue);
}
