// The host's commands and data events: open or create the chart, add the
// host's selected races to it, and bring it up to date when the host has new
// data. These run in the host's framework state, so the chart frames they
// create become children of the host's main window.
#include "plugin/CKurvoApp.h"

#include "document/CKurvoDoc.h"
#include "model/StatKinds.h"
#include "plugin/KurvoLoadString.h"
#include "resources/resource.h"

#include <sys/stat.h>

namespace
{

// Only that one directory is searched, and only a regular file will do: a
// directory named "save.kv" is not a chart.
BOOL DefaultChartExists(const CString& strPath)
{
    struct stat info;
    return stat(strPath, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

CString CKurvoApp::GetDefaultChartPath() const
{
    // The original joined the directory and the name with a backslash, which
    // here would be part of a file name in the parent directory. A start
    // directory that ends in a separator gets a second one, which the file
    // system takes as one.
    CString strName = KurvoLoadString(IDS_KURVO_SAVENAME) + KurvoLoadString(IDS_KURVO_SAVEEXT);
    if (m_strStartDir.IsEmpty())
        return strName;
    return m_strStartDir + "/" + strName;
}

void CKurvoApp::OnUserCommand(CMapStringToString& map)
{
    CString strCommand;
    if (!map.Lookup("Command", strCommand))
        return;
    const CString strOpen = KurvoLoadString(IDS_KURVO_MENU);
    CKurvoDoc* pDoc = FindChartDocument();
    if (strCommand == strOpen) {
        if (pDoc != nullptr)
            pDoc->ActivateChartFrame();
        else
            OpenDefaultChart();
    }
    const CString strAdd = KurvoLoadString(IDS_KURVO_ADDRACES);
    if (strCommand == strAdd && pDoc != nullptr) {
        CStringList names(10);
        // The queries append and never empty, so the list is emptied here even
        // though it is new: it must start empty whatever its constructor does.
        names.RemoveAll();
        QuerySelection(map, names);
        pDoc->AddSelectedRaces(names);
        pDoc->ActivateChartFrame();
    }
}

void CKurvoApp::OpenDefaultChart()
{
    const CString strPath = GetDefaultChartPath();
    if (!DefaultChartExists(strPath)) {
        CreateDefaultChart(strPath);
        return;
    }
    CDocument* pOpened = OpenDocumentFile(strPath);
    if (pOpened != nullptr)
        static_cast<CKurvoDoc*>(pOpened)->UpdateFromHost();
}

void CKurvoApp::CreateDefaultChart(const CString& strPath)
{
    OnFileNew();
    CKurvoDoc* pDoc = FindChartDocument();
    if (pDoc == nullptr)
        return;
    pDoc->ToggleFlags(StatFlagBit(kindIndustry));
    pDoc->SetPathName(strPath, TRUE);
    pDoc->ResetRaces();
    pDoc->OnSaveDocument(strPath);
}

void CKurvoApp::OnReportLoaded(CMapStringToString& map)
{
    if (CKurvoDoc* pDoc = FindChartDocument())
        pDoc->UpdateFromHost();
}

void CKurvoApp::OnGamesListModified(CMapStringToString& map)
{
    if (CKurvoDoc* pDoc = FindChartDocument())
        pDoc->UpdateFromHost();
}
