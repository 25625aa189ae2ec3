// The sample games as the tests read them, independently of the host's own
// reader, and the chart file as the chart's document reads it.
#pragma once

#include "document/CKurvoDoc.h"
#include "model/CRace.h"

#include <QColor>
#include <QString>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SampleRace {
    std::string name; // UTF-8
    QColor color;
    // turn -> the five cells as written (industry .. shields)
    std::map<int, std::array<std::string, 5>> turns;
};

struct SampleGame {
    std::vector<SampleRace> races;
    int turnCount = 0;
    const SampleRace* find(const std::string& name) const;
};

SampleGame ReadSampleGame(const QString& folder);

// A stored figure as the chart keeps it: the text times scale, truncated;
// -1 for an empty cell.
long ScaledFigure(const std::string& cell, long scale);

// The chart file loaded into a chart document; null (with a failure
// recorded) when it does not load.
std::unique_ptr<CKurvoDoc> LoadChartFile(const QString& path);

// The race named (UTF-8) in the game named (UTF-8), or null.
CRace* FindChartRace(CKurvoDoc& doc, const std::string& game, const std::string& race);
std::vector<std::string> ChartSelection(CKurvoDoc& doc); // UTF-8
