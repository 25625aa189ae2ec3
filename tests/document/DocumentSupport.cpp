#include "DocumentSupport.h"

#include "plugin/CKurvoApp.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes StoreDocument(CKurvoDoc& doc)
{
    return StoreBytes([&](CArchive& ar) { doc.Serialize(ar); });
}

void LoadDocument(CKurvoDoc& doc, const Bytes& bytes)
{
    LoadBytes(bytes, [&](CArchive& ar) { doc.Serialize(ar); });
}

Bytes ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// ---------------------------------------------------------------------------
// RecordingHost

RecordingHost* RecordingHost::s_pCurrent = nullptr;

RecordingHost::RecordingHost()
{
    s_pCurrent = this;
    theApp.m_pfnDataManager = &RecordingHost::Answer;
}

RecordingHost::~RecordingHost()
{
    theApp.m_pfnDataManager = nullptr;
    s_pCurrent = nullptr;
}

RecordingHost::Figures RecordingHost::DefaultFigures(const std::string&, int nTurn)
{
    return {{"Industry", std::to_string(nTurn + 1)},
            {"Population", "2"},
            {"WeaponsTech", "0.5"},
            {"DrivesTech", "0.5"},
            {"ShieldsTech", "0.5"}};
}

void RecordingHost::Answer(CMapStringToString& map)
{
    if (s_pCurrent != nullptr)
        s_pCurrent->AnswerRequest(map);
}

const HostGame* RecordingHost::FindGame(const std::string& strName) const
{
    for (const HostGame& game : games) {
        if (game.strName == strName)
            return &game;
    }
    return nullptr;
}

namespace
{
std::string Lookup(const CMapStringToString& map, LPCSTR lpszKey)
{
    CString strValue;
    map.Lookup(lpszKey, strValue);
    return strValue.GetString();
}

// The plug-in reads a numbered list from key Count down to key 1.
void AnswerList(CMapStringToString& map, const char* pszPrefix,
                const std::vector<std::string>& values)
{
    const size_t nCount = values.size();
    map.SetAt("Count", std::to_string(nCount).c_str());
    for (size_t i = 0; i < nCount; ++i)
        map.SetAt((pszPrefix + std::to_string(nCount - i)).c_str(), values[i].c_str());
}
} // namespace

void RecordingHost::AnswerRequest(CMapStringToString& map)
{
    const std::string strFunction = Lookup(map, "Function");
    const std::string strWhat = Lookup(map, "Parameter.1");
    const std::string strGame = Lookup(map, "GameName");
    const HostGame* pGame = FindGame(strGame);
    if (strFunction == "List" && strWhat == "Games") {
        requests.push_back("games");
        std::vector<std::string> names;
        for (const HostGame& game : games)
            names.push_back(game.strName);
        AnswerList(map, "Game.", names);
    } else if (strFunction == "List" && strWhat == "Races") {
        requests.push_back("races " + strGame);
        if (pGame != nullptr)
            AnswerList(map, "", pGame->races);
    } else if (strFunction == "List" && strWhat == "Turns") {
        requests.push_back("turns " + strGame);
        if (pGame != nullptr)
            map.SetAt("Count", std::to_string(pGame->nTurns).c_str());
    } else if (strFunction == "Get" && strWhat == "RaceColor") {
        requests.push_back("colour " + strGame + " " + Lookup(map, "Parameter.2"));
        map.SetAt("Color", strColor.c_str());
    } else if (strFunction == "Get" && strWhat == "Race") {
        const std::string strRace = Lookup(map, "Parameter.2");
        const std::string strTurn = Lookup(map, "Turn");
        requests.push_back("turn " + strGame + " " + strRace + " " + strTurn);
        for (const auto& [key, value] : figures(strRace, std::atoi(strTurn.c_str())))
            map.SetAt(key.c_str(), value.c_str());
    } else {
        requests.push_back("unexpected " + strFunction + " " + strWhat);
    }
}

// ---------------------------------------------------------------------------
// TempDir and ReportCapture

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kurvo-doc-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code error;
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(m_path, error);
}

ReportCapture::ReportCapture()
{
    m_previous = AfxSetMessageReporter([this](const CString& strText, UINT nType) {
        m_messages.push_back(strText.GetString());
        return AfxGetDefaultMessageAnswer(nType);
    });
}

ReportCapture::~ReportCapture()
{
    AfxSetMessageReporter(m_previous);
}
