// CDC against the platform's own pixels: each case of golden/cases.txt, a
// test of its own, is drawn through CDC and compared with the fixture an
// independent implementation of the platform's GDI drew from the same calls
// (scripts/gdi-golden). A 32-bit image takes the pixels written directly; a
// 16-bit one gets them through the painter, and must show the same.
#include "GdiTestSupport.h"
#include "golden/GdiGoldenCases.h"
#include <afxqt.h>

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace gdigolden
{
// A failure names the case, not the bytes of its drawing calls.
void PrintTo(const Case& c, std::ostream* pOut)
{
    *pOut << c.name;
}
} // namespace gdigolden

namespace
{

QString GoldenDir()
{
    const char* pszSource = std::getenv("KURVO_SOURCE_DIR");
    return QString::fromLocal8Bit(pszSource != nullptr ? pszSource : ".") +
           QStringLiteral("/tests/framework/ui/golden/");
}

COLORREF ToColorRef(unsigned rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void Draw(CDC& dc, const gdigolden::Case& c)
{
    std::unique_ptr<CPen> pPen;
    CPen* pOldPen = nullptr;
    for (const gdigolden::Op& op : c.ops) {
        switch (op.kind) {
        case gdigolden::OpKind::Pen: {
            // The chart's own pen style.
            auto pNew = std::make_unique<CPen>(PS_GEOMETRIC | PS_SOLID, 0, ToColorRef(op.color));
            CPen* pPrevious = dc.SelectObject(pNew.get());
            if (pOldPen == nullptr)
                pOldPen = pPrevious;
            pPen = std::move(pNew);
            break;
        }
        case gdigolden::OpKind::Move:
            dc.MoveTo(op.a, op.b);
            break;
        case gdigolden::OpKind::Line:
            dc.LineTo(op.a, op.b);
            break;
        case gdigolden::OpKind::Fill: {
            CBrush brush(ToColorRef(op.color));
            const RECT rc{op.a, op.b, op.c, op.d};
            ::FillRect(dc.GetSafeHdc(), &rc, brush);
            break;
        }
        case gdigolden::OpKind::BeginPath:
            dc.BeginPath();
            break;
        case gdigolden::OpKind::EndPath:
            dc.EndPath();
            break;
        case gdigolden::OpKind::StrokePath:
            dc.StrokePath();
            break;
        }
    }
    if (pOldPen != nullptr)
        dc.SelectObject(pOldPen);
}

QImage DrawThroughCdc(const gdigolden::Case& c, QImage::Format eFormat)
{
    QImage image(c.width, c.height, eFormat);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(c.originX, c.originY);
    if (c.clipped)
        painter.setClipRect(
            QRect(QPoint(c.clip[0], c.clip[1]), QPoint(c.clip[2] - 1, c.clip[3] - 1)));
    CDC dc;
    EXPECT_TRUE(AfxAttachPainter(&dc, &painter));
    Draw(dc, c);
    AfxDetachPainter(&dc);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

// The table is read as the tests are registered, so that each case is a
// test of its own; a table that cannot be read gives no cases, which the
// count test below reports.
std::vector<gdigolden::Case> GoldenCases()
{
    QFile table(GoldenDir() + QStringLiteral("cases.txt"));
    if (!table.open(QIODevice::ReadOnly))
        return {};
    return gdigolden::ParseCases(table.readAll().toStdString());
}

class CDCGolden : public testing::TestWithParam<gdigolden::Case>
{
};

} // namespace

TEST(CDCGoldenTable, HoldsTheCases)
{
    EXPECT_GE(GoldenCases().size(), 8u) << (GoldenDir() + "cases.txt").toStdString();
}

TEST_P(CDCGolden, DrawsThePlatformsPixels)
{
    const gdigolden::Case& c = GetParam();
    for (const QImage::Format eFormat : {QImage::Format_RGB32, QImage::Format_RGB16}) {
        const QImage golden =
            QImage(GoldenDir() + QString::fromStdString(c.name) + QStringLiteral(".png"))
                .convertToFormat(eFormat)
                .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(golden.size(), QSize(c.width, c.height));
        const QImage drawn = DrawThroughCdc(c, eFormat);
        int nDiffering = 0;
        std::string strFirst;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                if (drawn.pixel(x, y) == golden.pixel(x, y))
                    continue;
                if (++nDiffering <= 8)
                    strFirst += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
            }
        }
        EXPECT_EQ(nDiffering, 0) << "in format " << int(eFormat) << ", first at" << strFirst;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CDCGolden, testing::ValuesIn(GoldenCases()),
                         [](const testing::TestParamInfo<gdigolden::Case>& info) {
                             return info.param.name;
                         });
