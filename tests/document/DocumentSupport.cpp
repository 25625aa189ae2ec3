#include "DocumentSupport.h"

#include "tests/support/TestRequests.h"

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

InstalledHost::InstalledHost()
{
    TestRequests().m_pfnDataManager = &RecordingHost::Callback;
}

InstalledHost::~InstalledHost()
{
    TestRequests().m_pfnDataManager = nullptr;
}

// ---------------------------------------------------------------------------
// ReportCapture

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
