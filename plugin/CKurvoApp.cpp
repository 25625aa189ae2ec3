// The chart application: start-up, the host's hand-over, the About data and
// the command and event entry points. The host requests themselves live in
// hostdata/.
#include "plugin/CKurvoApp.h"

#include "document/CKurvoDoc.h"
#include "document/CKurvoFrame.h"
#include "hostdata/KurvoAtol.h"
#include "plugin/KurvoLoadString.h"
#include "resources/resource.h"
#include "views/CKurvoView1.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <string>

CKurvoApp theApp;

BEGIN_MESSAGE_MAP(CKurvoApp, CWinApp)
END_MESSAGE_MAP()

namespace
{

// The current directory can be far longer than the original 260-character
// buffer; a fixed buffer would silently give an empty start directory and put
// the default chart file in the wrong place. The buffer grows until the name
// fits, up to a bound that no real path reaches.
constexpr size_t kFirstDirBuffer = MAX_PATH;
constexpr size_t kMaxDirBuffer = size_t(1) << 20;

// The current directory, or "" when it cannot be had (removed, unreadable):
// the default file is then looked for relative to the process's directory.
CString ReadCurrentDirectory()
{
    for (size_t nSize = kFirstDirBuffer; nSize <= kMaxDirBuffer; nSize *= 2) {
        std::string buffer(nSize, '\0');
        if (getcwd(buffer.data(), buffer.size()) != nullptr)
            return CString(buffer.c_str());
        if (errno != ERANGE)
            break;
    }
    return CString();
}

// A host that sends something other than the address of a function in a
// loaded module (a stale or mistyped number) would otherwise crash the
// process at the first request; such a value is treated as no callback.
DataManagerProc ToDataManager(LPCSTR lpszText)
{
    uintptr_t nAddress = KurvoAtoPtr(lpszText);
    if (nAddress == 0)
        return nullptr;
    void* pAddress = reinterpret_cast<void*>(nAddress);
    Dl_info info;
    if (dladdr(pAddress, &info) == 0)
        return nullptr;
    return reinterpret_cast<DataManagerProc>(pAddress);
}

} // namespace

CKurvoApp::CKurvoApp() : CWinApp(nullptr)
{
    KurvoSetRequests(this);
}

// A call that reaches the module after the application is gone (late in the
// unload) finds no host rather than a destroyed object.
CKurvoApp::~CKurvoApp()
{
    KurvoSetRequests(nullptr);
}

void CKurvoApp::OnLoad()
{
    AFX_MAINTAIN_STATE state(AfxGetStaticModuleState());

    AddDocTemplate(new CMultiDocTemplate(IDR_KURVOTYPE, RUNTIME_CLASS(CKurvoDoc),
                                         RUNTIME_CLASS(CKurvoFrame), RUNTIME_CLASS(CKurvoView1)));

    m_strStartDir = ReadCurrentDirectory();
}

void CKurvoApp::OnInitialize(CMapStringToString& map)
{
    CString strValue;
    if (map.Lookup("MainFrame", strValue))
        m_nMainFrame = KurvoAtol(strValue);
    if (map.Lookup("DataManager", strValue))
        m_pfnDataManager = ToDataManager(strValue);
    if (map.Lookup("EventMask", strValue))
        m_nEventMask = KurvoAtol(strValue);

    map.SetAt("MenuItem", KurvoLoadString(IDS_KURVO_MENU));
    CString strKey;
    strKey.Format("MenuItem:%lu", (unsigned long)ID_KURVO_ADDRACES);
    map.SetAt(strKey, KurvoLoadString(IDS_KURVO_ADDRACES));
}

void CKurvoApp::OnAbout(CMapStringToString& map)
{
    // Windows-1251 bytes, as the host shows them.
    map.SetAt("Name", "--- Kurvo \xEF\xEE \xF2\xE0\xE1\xEB\xE8\xF6\xE5 Race ---");
    map.SetAt("Author", "Tamsen");
    map.SetAt("Company", "\xC4\xE0");
    map.SetAt("Version", "v0.01 beta");
    map.SetAt("Date", "01/12/98");
    map.SetAt("Description", "\xCC\xEE\xE6\xED\xEE \xE8\xE7\xEE\xE1\xF0\xE0\xE7\xE8\xF2\xFC Kurvo "
                             "\xF0\xE0\xE7\xE2\xE8\xF2\xE8\xFF\r\n"
                             "\xEF\xEE\xEA\xE0 \xF2\xEE\xEB\xFC\xEA\xEE Industry \xE8 Population.");
}

// The chart document saves itself when its frame closes, so the host's
// shutdown notice needs nothing from the plug-in.
void CKurvoApp::OnClose() {}

CKurvoDoc* CKurvoApp::FindChartDocument()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (pos == nullptr)
        return nullptr;
    CDocTemplate* pTemplate = GetNextDocTemplate(pos);
    if (pTemplate == nullptr)
        return nullptr;
    POSITION docPos = pTemplate->GetFirstDocPosition();
    if (docPos == nullptr)
        return nullptr;
    // The plug-in's template makes chart documents only.
    return static_cast<CKurvoDoc*>(pTemplate->GetNextDoc(docPos));
}
