#include "AfxQtAccess.h"
#include <afxwin.h>

#include "CWndAccessible.h"

#include "AfxQtText.h"

#include <QAccessible>
#include <QWidget>

namespace
{
bool IsPopup(const CWnd* pWnd)
{
    return pWnd != nullptr && (pWnd->GetStyle() & WS_POPUP) && !(pWnd->GetStyle() & WS_CHILD);
}

QAccessibleInterface* FactoryForPopups(const QString&, QObject* pObject)
{
    if (pObject == nullptr || !pObject->isWidgetType())
        return nullptr;
    auto* pWidget = static_cast<QWidget*>(pObject);
    return IsPopup(AfxWndFromWidget(pWidget)) ? new CWndAccessible(pWidget) : nullptr;
}
} // namespace

CWndAccessible::CWndAccessible(QWidget* pWidget) : QAccessibleWidget(pWidget, QAccessible::ToolTip)
{
}

CWnd* CWndAccessible::Wnd() const
{
    return AfxWndFromWidget(widget());
}

QAccessible::Role CWndAccessible::role() const
{
    return QAccessible::ToolTip;
}

QString CWndAccessible::text(QAccessible::Text t) const
{
    const CWnd* pWnd = Wnd();
    if (t != QAccessible::Name || pWnd == nullptr)
        return QAccessibleWidget::text(t);
    QString strText =
        AfxToQString(pWnd->m_strPaintedText.GetString(), pWnd->m_strPaintedText.GetLength());
    strText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return strText;
}

void CWndAccessible::Install()
{
    static const bool s_bInstalled = [] {
        QAccessible::installFactory(FactoryForPopups);
        return true;
    }();
    (void)s_bInstalled;
}

void CWndAccessible::PaintEnded(CWnd* pWnd)
{
    const bool bChanged = pWnd->m_strPaintingText != pWnd->m_strPaintedText;
    pWnd->m_strPaintedText = pWnd->m_strPaintingText;
    pWnd->m_strPaintingText.Empty();
    QWidget* pWidget = AfxGetWidget(pWnd);
    if (!IsPopup(pWnd) || pWidget == nullptr || !pWidget->isVisible())
        return;
    if (pWnd->m_bTextAnnounced && !bChanged)
        return;
    // Qt told of the showing before the paint, with the text of before.
    QAccessibleEvent event(pWidget, pWnd->m_bTextAnnounced ? QAccessible::NameChanged
                                                           : QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&event);
    pWnd->m_bTextAnnounced = TRUE;
}

void CWndAccessible::Hidden(CWnd* pWnd)
{
    pWnd->m_bTextAnnounced = FALSE;
}
