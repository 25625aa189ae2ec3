// A chart as the host gets it: an MDI main window, the plug-in's template
// registered by OnLoad, a new chart document with its frame and view, and
// races filled in directly. The view's own hover timer is stopped, so the
// tests deliver every tick themselves.
#pragma once

#include "document/CKurvoDoc.h"
#include "model/CRace.h"
#include "views/CKurvoView1.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include <initializer_list>
#include <string>
#include <vector>

void ProcessPendingEvents();

class ChartViewTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A race of the document's collection with one series per kind given;
    // every block gets the colour crColor unless colours are given per kind.
    struct SERIES {
        int nKind;
        std::vector<LONG> values;
        COLORREF crColor = RGB(255, 0, 0);
    };
    CRace* AddRace(const char* pszRace, const char* pszGame, const std::vector<SERIES>& series);
    // A race without turns, and so without series blocks.
    CRace* AddEmptyRace(const char* pszRace, const char* pszGame);
    void Select(std::initializer_list<const char*> names);
    // Exactly these statistic kinds shown; the changed bit is set.
    void ShowKinds(std::initializer_list<int> kinds);

    // Sizes the view's client area and makes it the plot, as a first
    // update does; a margin then grows the window past the plot.
    void SetPlot(int nWidth, int nHeight, int nMargin = 0);
    // The view painted as the platform paints it: erase, then draw.
    QImage Render();
    QColor Pixel(const QImage& image, int x, int y) const { return image.pixelColor(x, y); }

    // Client point of the view in screen coordinates.
    CPoint ToScreen(int x, int y) const;
    void Tick(int nTimes = 1);

    // The readout's tip: shown or not, its text, its place on the screen.
    BOOL TipShown() { return m_pView->GetTipWnd().IsWindowVisible(); }
    std::string TipText() { return m_pView->GetTipWnd().GetTipText().str(); }
    CRect TipRect()
    {
        CRect rc;
        m_pView->GetTipWnd().GetWindowRect(&rc);
        return rc;
    }

    CKurvoDoc* m_pDoc = nullptr;
    CKurvoView1* m_pView = nullptr;
    CMDIFrameWnd* m_pMain = nullptr;
};

QColor ColorOf(COLORREF cr);
