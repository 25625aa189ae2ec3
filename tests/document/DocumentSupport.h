// Helpers of the document tests: a chart document stored to and loaded from
// memory, a host callback that records every request and answers from a
// small table of games, and a capture of the messages
// the framework reports.
#pragma once

#include "document/CKurvoDoc.h"
#include "tests/model/ModelArchive.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TempDir.h"

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

// The recording host, installed as the plug-in's callback while it lives.
class InstalledHost : public RecordingHost
{
public:
    InstalledHost();
    ~InstalledHost();
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
