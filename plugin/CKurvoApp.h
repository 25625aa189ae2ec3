// The chart application: the plug-in's one application object. It keeps what
// the host hands over at start-up (the request callback above all) and the
// directory in which the default chart file lives, and performs every request
// the plug-in makes of the host.
#pragma once

#include <afxwin.h>

#include "hostdata/CKurvoRequests.h"

class CKurvoDoc;

class CKurvoApp : public CWinApp, public CKurvoRequests
{
public:
    CKurvoApp();
    ~CKurvoApp() override;

    // Entry points, reached through the module's exports.
    void OnLoad();
    void OnInitialize(CMapStringToString& map);
    void OnAbout(CMapStringToString& map);
    void OnClose();
    void OnUserCommand(CMapStringToString& map);
    void OnReportLoaded(CMapStringToString& map);
    void OnGamesListModified(CMapStringToString& map);

    // The host requests (CallDataManager and the queries) come from
    // CKurvoRequests.

    // The first document of the first template: the open chart, or null.
    CKurvoDoc* FindChartDocument();

    // The default chart file: "save.kv" in the start directory (in the
    // current directory when the start directory is unknown).
    CString GetDefaultChartPath() const;

    // The host's "EventMask" and "MainFrame"; kept, never consulted.
    LONG m_nEventMask = 0;
    // The directory current when OnLoad ran; home of the default chart file.
    CString m_strStartDir;
    LONG m_nMainFrame = 0;

protected:
    void OpenDefaultChart();
    void CreateDefaultChart(const CString& strPath);

    DECLARE_MESSAGE_MAP()
};

extern CKurvoApp theApp;
