#include "ChartWindow.h"
#include <afxqt.h>

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSaveFile>
#include <QSvgGenerator>
#include <QWidget>

namespace
{
template <class T> T* kindOf(CWnd* pWnd, const CRuntimeClass* pClass)
{
    return pWnd != nullptr && pWnd->IsKindOf(pClass) ? static_cast<T*>(pWnd) : nullptr;
}

CView* viewOf(CWnd* pWnd)
{
    auto* pFrame = kindOf<CFrameWnd>(pWnd, RUNTIME_CLASS(CFrameWnd));
    if (pFrame == nullptr)
        return nullptr;
    if (CView* pView = pFrame->GetActiveView())
        return pView;
    // A frame whose view was never made active: look among its children.
    for (QWidget* pChild : AfxGetWidget(pFrame)->findChildren<QWidget*>()) {
        if (auto* pView = kindOf<CView>(AfxWndFromWidget(pChild), RUNTIME_CLASS(CView)))
            return pView;
    }
    return nullptr;
}
} // namespace

CView* ChartWindow::findView(CMDIFrameWnd& mainFrame)
{
    if (CView* pView = viewOf(mainFrame.MDIGetActive()))
        return pView;
    if (QMdiArea* pArea = AfxGetMDIArea(&mainFrame)) {
        for (QMdiSubWindow* pSub : pArea->subWindowList()) {
            if (CView* pView = viewOf(AfxWndFromWidget(pSub->widget())))
                return pView;
        }
    }
    return nullptr;
}

int ChartWindow::frameCount(CMDIFrameWnd& mainFrame)
{
    QMdiArea* pArea = AfxGetMDIArea(&mainFrame);
    return pArea != nullptr ? int(pArea->subWindowList().size()) : 0;
}

void ChartWindow::sizeNewViews(CMDIFrameWnd& mainFrame, const QSize& size)
{
    // The view fills its frame's client area.
    AfxSetMDIChildClientSize(&mainFrame, size.width(), size.height());
}

QSize ChartWindow::viewSize() const
{
    return AfxGetWidget(&m_view)->size();
}

void ChartWindow::resizeView(const QSize& size)
{
    QWidget* pView = AfxGetWidget(&m_view);
    CFrameWnd* pFrame = m_view.GetParentFrame();
    QWidget* pOuter = AfxGetWidget(pFrame);
    if (QMdiSubWindow* pSub = AfxGetMDISubWindow(pFrame))
        pOuter = pSub;
    if (pOuter != nullptr) {
        const QSize border = pOuter->size() - pView->size();
        pOuter->resize(size + border);
        QCoreApplication::processEvents();
    }
    // A frame that keeps its own idea of its size still gets a view of the
    // size asked for.
    if (pView->size() != size)
        pView->resize(size);
}

QImage ChartWindow::grab()
{
    return AfxGetWidget(&m_view)->grab().toImage();
}

bool ChartWindow::writeSvg(const QString& path, QString& error)
{
    QWidget* pView = AfxGetWidget(&m_view);
    // Written beside the target and renamed over it, so that a failed write
    // leaves no half a picture behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    QSvgGenerator generator;
    generator.setOutputDevice(&file);
    generator.setSize(pView->size());
    generator.setViewBox(QRect(QPoint(0, 0), pView->size()));
    generator.setTitle(pView->windowTitle());
    generator.setDescription(QStringLiteral("KURVO7 chart"));
    pView->render(&generator);
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

void ChartWindow::toggleStatistic(Statistic statistic)
{
    m_view.SendMessage(WM_COMMAND, WPARAM(chartCommand(statistic)), 0);
}

void ChartWindow::close()
{
    if (CFrameWnd* pFrame = m_view.GetParentFrame())
        pFrame->SendMessage(WM_CLOSE);
}
