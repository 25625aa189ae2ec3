// A score log's charted figures as a plain reading of the file gives them,
// kept apart from the host's reader so that the two can be compared: every
// player's mfg, pop and techs by turn, keyed by the player's name as the
// log writes it. Meant for well-formed logs written by a game server.
#pragma once

#include <array>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>

namespace score_log_oracle
{
// name -> turn -> {mfg, pop, techs}, each as the log's decimal text.
using Figures = std::map<std::string, std::map<int, std::array<std::string, 3>>>;

inline Figures read(const std::string& path)
{
    std::ifstream in(path);
    std::map<std::string, int> column;         // tag id -> 0 mfg, 1 pop, 2 techs
    std::map<std::string, std::string> player; // player id -> name
    Figures figures;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "tag") {
            std::string id, name;
            words >> id >> name;
            const std::map<std::string, int> kCharted{{"mfg", 0}, {"pop", 1}, {"techs", 2}};
            if (kCharted.count(name) != 0)
                column[id] = kCharted.at(name);
        } else if (command == "addplayer") {
            std::string turn, id, name;
            words >> turn >> id;
            std::getline(words >> std::ws, name);
            player[id] = name;
            figures[name];
        } else if (command == "data") {
            int turn = 0;
            std::string tag, id, value;
            words >> turn >> tag >> id >> value;
            if (column.count(tag) != 0)
                figures[player.at(id)][turn][size_t(column.at(tag))] = value;
        }
    }
    return figures;
}
} // namespace score_log_oracle
