#include "ViewTestSupport.h"
#include <afxqt.h>

#include "plugin/CKurvoApp.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

void ProcessPendingEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QColor ColorOf(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

void ChartViewTest::SetUp()
{
    static bool bLoaded = false;
    if (!bLoaded) {
        theApp.OnLoad();
        bLoaded = true;
    }
    m_pMain = new CMDIFrameWnd;
    ASSERT_TRUE(m_pMain->CreateEx(0, nullptr, "Host", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 900, nullptr,
                                  nullptr));
    theApp.m_pMainWnd = m_pMain;
    m_pMain->ShowWindow(SW_SHOW);
    m_pDoc = static_cast<CKurvoDoc*>(theApp.OnFileNew());
    ASSERT_NE(m_pDoc, nullptr);
    ASSERT_TRUE(m_pDoc->IsKindOf(RUNTIME_CLASS(CKurvoDoc)));
    POSITION pos = m_pDoc->GetFirstViewPosition();
    m_pView = static_cast<CKurvoView1*>(m_pDoc->GetNextView(pos));
    ASSERT_NE(m_pView, nullptr);
    ASSERT_TRUE(m_pView->IsKindOf(RUNTIME_CLASS(CKurvoView1)));
    // The hover timer runs from creation; the tests tick by hand.
    ASSERT_TRUE(m_pView->KillTimer(CKurvoView1::nHoverTimerId));
    // As the host's first command prepares a new chart.
    m_pDoc->ToggleFlags(StatFlagBit(kindIndustry));
    m_pDoc->ResetRaces();
    ProcessPendingEvents();
}

void ChartViewTest::TearDown()
{
    CMenu::SetTrackHook(nullptr);
    theApp.CloseAllDocuments(FALSE);
    if (theApp.m_pMainWnd != nullptr)
        theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    ProcessPendingEvents();
}

CRace* ChartViewTest::AddRace(const char* pszRace, const char* pszGame,
                              const std::vector<SERIES>& series)
{
    auto* pRace = new CRace(pszRace, pszGame);
    size_t nTurns = 0;
    for (const SERIES& s : series)
        nTurns = std::max(nTurns, s.values.size());
    EXPECT_TRUE(pRace->SetTurnCount(LONG(nTurns)));
    for (const SERIES& s : series) {
        LONG* pBlock = pRace->GetSeries(s.nKind);
        EXPECT_NE(pBlock, nullptr);
        if (pBlock == nullptr)
            continue;
        pBlock[CRace::posColor] = LONG(s.crColor);
        pBlock[CRace::posMax] = 0;
        pBlock[CRace::posMin] = 0;
        for (size_t t = 0; t < s.values.size(); ++t) {
            pBlock[CRace::posFirstValue + t] = s.values[t];
            pBlock[CRace::posMax] = std::max(pBlock[CRace::posMax], s.values[t]);
            pBlock[CRace::posMin] = std::min(pBlock[CRace::posMin], s.values[t]);
        }
    }
    EXPECT_TRUE(m_pDoc->GetRaces()->Insert(pRace));
    m_pDoc->GetRaces()->Balance();
    m_pDoc->ToggleFlags(m_pDoc->IsChanged() ? 0 : CKurvoDoc::flagChanged);
    return pRace;
}

CRace* ChartViewTest::AddEmptyRace(const char* pszRace, const char* pszGame)
{
    auto* pRace = new CRace(pszRace, pszGame);
    EXPECT_TRUE(m_pDoc->GetRaces()->Insert(pRace));
    m_pDoc->GetRaces()->Balance();
    m_pDoc->ToggleFlags(m_pDoc->IsChanged() ? 0 : CKurvoDoc::flagChanged);
    return pRace;
}

void ChartViewTest::Select(std::initializer_list<const char*> names)
{
    CStringList list;
    for (const char* pszName : names)
        list.AddTail(pszName);
    m_pDoc->AddSelectedRaces(list);
}

void ChartViewTest::ShowKinds(std::initializer_list<int> kinds)
{
    LONG nWanted = CKurvoDoc::flagChanged;
    for (int nKind : kinds)
        nWanted |= 1 << nKind;
    m_pDoc->ToggleFlags(m_pDoc->ToggleFlags(0) ^ nWanted);
}

void ChartViewTest::SetPlot(int nWidth, int nHeight, int nMargin)
{
    m_pView->MoveWindow(0, 0, nWidth, nHeight, FALSE);
    CRect rcClient;
    m_pView->GetClientRect(&rcClient);
    ASSERT_EQ(rcClient, CRect(0, 0, nWidth, nHeight));
    m_pView->OnInitialUpdate();
    if (nMargin > 0)
        m_pView->MoveWindow(0, 0, nWidth + nMargin, nHeight + nMargin, FALSE);
}

QImage ChartViewTest::Render()
{
    return AfxGetWidget(m_pView)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

CPoint ChartViewTest::ToScreen(int x, int y) const
{
    CPoint point(x, y);
    m_pView->ClientToScreen(&point);
    return point;
}

void ChartViewTest::Tick(int nTimes)
{
    for (int i = 0; i < nTimes; ++i)
        m_pView->SendMessage(WM_TIMER, CKurvoView1::nHoverTimerId);
}
