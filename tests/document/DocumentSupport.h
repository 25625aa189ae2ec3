// Helpers of the document tests: a chart document stored to and loaded from
// memory, a host callback that records every request and answers from a
// small table of games, a temporary folder, and a capture of the messages
// the framework reports.
#pragma once

#include "document/CKurvoDoc.h"
#include "tests/model/ModelArchive.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

Bytes StoreDocument(CKurvoDoc& doc);
// Throws what the document's Serialize throws.
void LoadDocument(CKurvoDoc& doc, const Bytes& bytes);

Bytes ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const Bytes& bytes);

// The host side of the data-manager protocol, installed as the plug-in's
// callback for the lifetime of the object. Lists are answered so that the
// plug-in reads them in the order they have here.
struct HostGame {
    std::string strName;
    int nTurns = 0;
    std::vector<std::string> races;
};

class RecordingHost
{
public:
    using Figures = std::map<std::string, std::string>;
    // The host figures of a race for a turn.
    using FigureSource = std::function<Figures(const std::string& strRace, int nTurn)>;

    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    // Industry t + 1, Population 2, the technologies 0.5: easy to read back.
    static Figures DefaultFigures(const std::string& strRace, int nTurn);

    std::vector<HostGame> games;
    std::string strColor = "255";
    FigureSource figures = &DefaultFigures;
    // "games", "races G", "turns G", "colour G R", "turn G R t".
    std::vector<std::string> requests;

private:
    static void Answer(CMapStringToString& map);
    void AnswerRequest(CMapStringToString& map);
    const HostGame* FindGame(const std::string& strName) const;

    static RecordingHost* s_pCurrent;
};

// A folder of its own under the system's temporary folder, removed with
// everything in it at the end.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const char* pszName) const { return m_path / pszName; }

private:
    std::filesystem::path m_path;
};

// Collects what the framework reports while it lives.
class ReportCapture
{
public:
    ReportCapture();
    ~ReportCapture();
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    std::vector<std::string> m_messages;
    AFX_MESSAGE_REPORTER m_previous;
};
