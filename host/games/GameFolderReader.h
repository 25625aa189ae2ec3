// A game folder as the store reads it: races.csv and turns.csv, read whole
// (see GameFolderLoader).
#pragma once

#include "GameReader.h"

class GameFolderReader : public GameReader
{
public:
    explicit GameFolderReader(QString folder) : m_folder(std::move(folder)) {}

    const QString& path() const override { return m_folder; }
    std::optional<Game> load(std::string name, QString displayName, LoadLog& log) override;

private:
    QString m_folder;
};
