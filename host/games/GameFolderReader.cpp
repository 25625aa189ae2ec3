#include "GameFolderReader.h"

#include "GameFolderLoader.h"

std::optional<Game> GameFolderReader::load(std::string name, QString displayName, LoadLog& log)
{
    return GameFolderLoader(log).load(m_folder, std::move(name), displayName);
}
