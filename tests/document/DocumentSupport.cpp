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

InstalledHost::InstalledHost()
{
    theApp.m_pfnDataManager = &RecordingHost::Callback;
}

InstalledHost::~InstalledHost()
{
    theApp.m_pfnDataManager = nullptr;
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
