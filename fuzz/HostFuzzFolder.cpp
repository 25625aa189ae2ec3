#include "HostFuzzFolder.h"

#include "GameStore.h"

#include <QDir>
#include <QFile>
#include <cstdlib>

HostFuzzFolder::HostFuzzFolder()
    : m_gamesPath(QDir(m_dir.path()).filePath(QStringLiteral("games"))),
      m_gamePath(QDir(m_gamesPath).filePath(QStringLiteral("Alpha")))
{
    if (!m_dir.isValid() || !QDir().mkpath(m_gamePath))
        std::abort(); // no place to put the inputs: nothing could be fuzzed
}

QString HostFuzzFolder::outsidePath(const char* name) const
{
    return QDir(m_dir.path()).filePath(QString::fromLatin1(name));
}

void HostFuzzFolder::write(const QString& path, const std::optional<std::string_view>& bytes)
{
    QFile file(path);
    if (!bytes) {
        file.remove();
        return;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes->data(), qint64(bytes->size())) != qint64(bytes->size()))
        std::abort();
}

QByteArray HostFuzzFolder::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    // Null stands for a missing file; an empty file is still a file.
    return bytes.isNull() ? QByteArray("") : bytes;
}

QStringList HostFuzzFolder::gameFiles() const
{
    return QDir(m_gamePath).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

std::string HostFuzzFolder::describeStored(const char* name) const
{
    GameStore store;
    store.load(m_gamesPath);
    const Game* game = store.findGame(name);
    return game != nullptr ? DescribeGame(*game) : std::string();
}

std::string DescribeGame(const Game& game)
{
    std::string text = std::to_string(game.turnCount()) + '\n';
    for (const Race& race : game.races()) {
        text += race.name + '\0' + race.displayName.toStdString() + ' ' +
                (race.color ? std::to_string(*race.color) : "-") + (race.selected ? " *" : "") +
                '\n';
        for (const auto& [turn, figures] : race.turns) {
            text += std::to_string(turn);
            for (std::string_view figure : figures)
                (text += ',') += figure;
            text += '\n';
        }
    }
    return text;
}

FuzzParts SplitAtFormFeed(const uint8_t* pData, size_t nSize)
{
    const std::string_view all(reinterpret_cast<const char*>(pData), nSize);
    const size_t split = all.find('\f');
    if (split == std::string_view::npos)
        return {all, std::nullopt};
    return {all.substr(0, split), all.substr(split + 1)};
}
