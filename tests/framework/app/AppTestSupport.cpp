#include "AppTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

IMPLEMENT_SERIAL(CTestItem, CObject, 1)

void CTestItem::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_strName << m_lValue;
    else
        ar >> m_strName >> m_lValue;
}

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)

int CTestDoc::s_nLiveDocuments = 0;
int CTestDoc::s_nCloses = 0;

IMPLEMENT_DYNCREATE(CTestFrame, CMDIChildWnd)
IMPLEMENT_DYNCREATE(CTestView, CView)

CTestDoc::CTestDoc()
{
    ++s_nLiveDocuments;
}

CTestDoc::~CTestDoc()
{
    DeleteContents();
    --s_nLiveDocuments;
}

void CTestDoc::DeleteContents()
{
    for (CTestItem* pItem : m_items)
        delete pItem;
    m_items.clear();
}

void CTestDoc::OnCloseDocument()
{
    ++s_nCloses;
    CDocument::OnCloseDocument();
}

void CTestDoc::AddItem(LPCSTR lpszName, LONG lValue)
{
    m_items.push_back(new CTestItem(lpszName, lValue));
}

std::string CTestDoc::Describe() const
{
    std::string text;
    for (const CTestItem* pItem : m_items)
        text += pItem->m_strName.str() + "=" + std::to_string(pItem->m_lValue) + ";";
    return text;
}

void CTestDoc::Serialize(CArchive& ar)
{
    // The item class is registered with this program's own module, which a
    // test may not have current; a plug-in's document does the same.
    AFX_MAINTAIN_STATE ownState(AfxGetStaticModuleState());
    if (ar.IsStoring()) {
        ar.WriteCount(DWORD(m_items.size()));
        int nWritten = 0;
        for (const CTestItem* pItem : m_items) {
            if (m_failure != failNone && nWritten == m_nFailAfterItems) {
                ar.Flush(); // the partial output really reaches the file
                if (m_failure == failArchiveException)
                    AfxThrowArchiveException(CArchiveException::genericException);
                throw std::runtime_error("test serialisation stopped");
            }
            ar << pItem;
            ++nWritten;
        }
        return;
    }
    const DWORD dwCount = ar.ReadCount();
    // Every item takes at least a two-byte tag.
    if (dwCount > ar.GetBytesLeft() / 2)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    for (DWORD i = 0; i < dwCount; ++i) {
        CObject* pObject = ar.ReadObject(RUNTIME_CLASS(CTestItem));
        m_items.push_back(static_cast<CTestItem*>(pObject));
    }
}

CReporterCapture::CReporterCapture(int nAnswer)
{
    m_previous = AfxSetMessageReporter([this, nAnswer](const CString& strText, UINT nType) {
        m_messages.push_back({strText.str(), nType});
        return nAnswer;
    });
}

CReporterCapture::~CReporterCapture()
{
    AfxSetMessageReporter(m_previous);
}

std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}
