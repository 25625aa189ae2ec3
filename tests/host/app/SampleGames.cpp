#include "SampleGames.h"

#include "model/CDimPtr.h"
#include "model/CObString.h"
#include "model/CRace.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>

#include <cstdlib>

namespace
{
std::vector<QStringList> ReadRows(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    std::vector<QStringList> rows;
    bool header = true;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (header || line.trimmed().isEmpty()) {
            header = false;
            continue;
        }
        rows.push_back(QString::fromUtf8(line.trimmed()).split(QLatin1Char(',')));
    }
    return rows;
}
} // namespace

const SampleRace* SampleGame::find(const std::string& name) const
{
    for (const SampleRace& race : races) {
        if (race.name == name)
            return &race;
    }
    return nullptr;
}

SampleGame ReadSampleGame(const QString& folder)
{
    SampleGame game;
    for (const QStringList& row : ReadRows(folder + QStringLiteral("/races.csv")))
        game.races.push_back({row.value(0).toStdString(), QColor(row.value(1)), {}});
    for (const QStringList& row : ReadRows(folder + QStringLiteral("/turns.csv"))) {
        const int turn = row.value(0).toInt();
        std::array<std::string, 5> cells;
        for (int i = 0; i < 5; ++i)
            cells[size_t(i)] = row.value(2 + i).toStdString();
        for (SampleRace& race : game.races) {
            if (race.name == row.value(1).toStdString())
                race.turns[turn] = cells;
        }
        game.turnCount = std::max(game.turnCount, turn + 1);
    }
    return game;
}

long ScaledFigure(const std::string& cell, long scale)
{
    if (cell.empty())
        return -1;
    return long(std::strtod(cell.c_str(), nullptr) * double(scale));
}

std::unique_ptr<CKurvoDoc> LoadChartFile(const QString& path)
{
    auto doc = std::make_unique<CKurvoDoc>();
    try {
        CFile file(QFile::encodeName(path).constData(), CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        doc->Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        ADD_FAILURE() << "cannot read the chart file " << path.toStdString();
        return nullptr;
    }
    return doc;
}

CRace* FindChartRace(CKurvoDoc& doc, const std::string& game, const std::string& race)
{
    CDimPtr items;
    if (doc.GetRaces() == nullptr || !doc.GetRaces()->GetItems(items))
        return nullptr;
    for (int i = 0; i < items.GetSize(); ++i) {
        auto* pRace = static_cast<CRace*>(items.GetAt(i));
        if (AfxAnsiToUtf8(pRace->GetKey().str()) == race &&
            AfxAnsiToUtf8(pRace->GetSubKey().str()) == game)
            return pRace;
    }
    return nullptr;
}

std::vector<std::string> ChartSelection(CKurvoDoc& doc)
{
    CDimPtr items;
    std::vector<std::string> names;
    doc.GetSelection()->GetItems(items);
    for (int i = 0; i < items.GetSize(); ++i)
        names.push_back(AfxAnsiToUtf8(items.GetAt(i)->GetKey().str()));
    return names;
}
