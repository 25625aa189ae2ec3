// The chart as the host sees it: an MDI child frame of the main window with
// a view in it. The host knows nothing of the chart's classes; it reaches the
// view through the framework's frame and view classes and talks to it with
// window messages, as any window of the platform would.
#pragma once

#include <afxwin.h>

#include "Statistic.h"

#include <QImage>
#include <QSize>

class ChartWindow
{
public:
    // The view of the active MDI child, else of the first child that has
    // one; null when no child frame shows a view.
    static CView* findView(CMDIFrameWnd& mainFrame);
    static int frameCount(CMDIFrameWnd& mainFrame);
    // Charts opened from now on are made with a view of size: a chart lays
    // out its plot for the size it first has, and keeps it when resized.
    static void sizeNewViews(CMDIFrameWnd& mainFrame, const QSize& size);

    explicit ChartWindow(CView& view) : m_view(view) {}

    // Sizes the frame so that the view gets exactly size.
    void resizeView(const QSize& size);
    QSize viewSize() const;
    // The view painted into an image of its size.
    QImage grab();
    // The very same paint sent to an SVG file, so that curves become vector
    // paths; false with the reason when the file cannot be written.
    bool writeSvg(const QString& path, QString& error);
    // Through the chart's own menu command for the statistic.
    void toggleStatistic(Statistic statistic);
    // Closes the frame as the user would; the document goes with it.
    void close();

private:
    CView& m_view;
};
