// The header line of a game's turns.csv, above the rows the tests write,
// so that a change of columns is made here once.
#pragma once

inline constexpr char kTurnsCsvHeader[] = "turn,race,industry,population,weapons,drives,shields\n";
