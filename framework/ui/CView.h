// A view: the window that shows a document inside a frame. It draws through
// OnDraw on every paint and leaves its document when it goes away.
#pragma once

#include "CWnd.h"

class CDocument;

class AFX_API CView : public CWnd
{
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Commands the view does not take go on to its document.
    BOOL OnCmdMsg(UINT nID, int nCode) override;

    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnPrepareDC(CDC* pDC) {}

protected:
    CView();

    virtual void OnDraw(CDC* pDC) = 0;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    LRESULT OnInitialUpdateMessage(WPARAM wParam, LPARAM lParam);

    // Set by the document's AddView and cleared by its RemoveView.
    CDocument* m_pDocument = nullptr;
    friend class CDocument;

    DECLARE_MESSAGE_MAP()
};
