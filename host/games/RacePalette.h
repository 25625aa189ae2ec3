// Colours for races whose game gives them none, such as a game server's
// score log. Each is bright enough to read on the chart's black plot and
// far enough from the others, and from the grid's grey, to tell apart.
#pragma once

#include <cstddef>
#include <cstdint>

class RacePalette
{
public:
    static constexpr size_t kSize = 18;
    // The colour (0x00BBGGRR) of the index-th race to appear in a game; the
    // palette starts over after its last colour.
    static uint32_t color(size_t index);
};
