#include "GdiTestSupport.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace
{

// The drawing layer needs a QGuiApplication for fonts; the tests run on
// the offscreen platform.
class QtEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "framework_gdi_tests";
        static char* argv[] = {name, nullptr};
        m_pApp = new QApplication(argc, argv);
    }
    void TearDown() override { delete m_pApp; }

private:
    QApplication* m_pApp = nullptr;
};

const auto* const g_pEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

QRgb ToRgb(COLORREF cr)
{
    return qRgb(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

} // namespace

QImage MakeWhiteImage(int nWidth, int nHeight)
{
    QImage image(nWidth, nHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

PixelSet InkedPixels(const QImage& image)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                pixels.insert({x, y});
    return pixels;
}

int CountColor(const QImage& image, COLORREF crColor)
{
    int nCount = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            nCount += image.pixel(x, y) == ToRgb(crColor) ? 1 : 0;
    return nCount;
}

bool HasColorAt(const QImage& image, int x, int y, COLORREF crColor)
{
    return image.pixel(x, y) == ToRgb(crColor);
}
