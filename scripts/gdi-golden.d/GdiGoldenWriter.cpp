// Draws each case of the golden table with the platform's GDI on a 32-bit
// DIB section and writes its pixels as a binary PPM (NAME.ppm in the output
// folder), for gdi-golden to turn into fixtures. Built with mingw-w64 and
// run under Wine, whose GDI is an independent implementation of the
// platform's; it is not part of the build or the tests.
//
//     GdiGoldenWriter.exe TABLE OUTDIR
#include "GdiGoldenCases.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace
{

COLORREF ToColorRef(unsigned rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void Draw(HDC hDC, const gdigolden::Case& c)
{
    SetViewportOrgEx(hDC, c.originX, c.originY, nullptr);
    if (c.clipped)
        IntersectClipRect(hDC, c.clip[0], c.clip[1], c.clip[2], c.clip[3]);
    HPEN hPen = nullptr;
    HGDIOBJ hOldPen = nullptr;
    for (const gdigolden::Op& op : c.ops) {
        switch (op.kind) {
        case gdigolden::OpKind::Pen: {
            HPEN hNew = CreatePen(PS_SOLID, 0, ToColorRef(op.color));
            HGDIOBJ hPrevious = SelectObject(hDC, hNew);
            if (hOldPen == nullptr)
                hOldPen = hPrevious;
            if (hPen != nullptr)
                DeleteObject(hPen);
            hPen = hNew;
            break;
        }
        case gdigolden::OpKind::Move:
            MoveToEx(hDC, op.a, op.b, nullptr);
            break;
        case gdigolden::OpKind::Line:
            LineTo(hDC, op.a, op.b);
            break;
        case gdigolden::OpKind::Fill: {
            HBRUSH hBrush = CreateSolidBrush(ToColorRef(op.color));
            RECT rc{op.a, op.b, op.c, op.d};
            FillRect(hDC, &rc, hBrush);
            DeleteObject(hBrush);
            break;
        }
        case gdigolden::OpKind::BeginPath:
            BeginPath(hDC);
            break;
        case gdigolden::OpKind::EndPath:
            EndPath(hDC);
            break;
        case gdigolden::OpKind::StrokePath:
            StrokePath(hDC);
            break;
        }
    }
    if (hOldPen != nullptr)
        SelectObject(hDC, hOldPen);
    if (hPen != nullptr)
        DeleteObject(hPen);
}

bool WriteCase(const gdigolden::Case& c, const std::string& strDir)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = c.width;
    info.bmiHeader.biHeight = -c.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    HDC hDC = CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = CreateDIBSection(hDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (hDC == nullptr || hBitmap == nullptr)
        return false;
    HGDIOBJ hOld = SelectObject(hDC, hBitmap);
    const size_t nPixels = size_t(c.width) * size_t(c.height);
    auto* pPixels = static_cast<unsigned*>(pBits);
    for (size_t i = 0; i < nPixels; ++i)
        pPixels[i] = 0xFFFFFF;
    Draw(hDC, c);
    GdiFlush();

    std::ofstream out(strDir + "\\" + c.name + ".ppm", std::ios::binary);
    out << "P6\n" << c.width << " " << c.height << "\n255\n";
    for (size_t i = 0; i < nPixels; ++i) {
        const unsigned px = pPixels[i];
        const char rgb[3] = {char((px >> 16) & 0xFF), char((px >> 8) & 0xFF), char(px & 0xFF)};
        out.write(rgb, 3);
    }
    SelectObject(hDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hDC);
    return bool(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: GdiGoldenWriter TABLE OUTDIR\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream table;
    table << in.rdbuf();
    const std::vector<gdigolden::Case> cases = gdigolden::ParseCases(table.str());
    for (const gdigolden::Case& c : cases) {
        if (!WriteCase(c, argv[2])) {
            std::fprintf(stderr, "%s: failed\n", c.name.c_str());
            return 1;
        }
        std::printf("%s\n", c.name.c_str());
    }
    return cases.empty() ? 1 : 0;
}
