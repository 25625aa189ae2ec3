#include "AfxFontConversion.h"

#include "AfxQtText.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

constexpr int kFallbackPixels = 12;

BOOL HasGuiApplication()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

double ScreenDotsPerInch()
{
    if (HasGuiApplication() && QGuiApplication::primaryScreen() != nullptr)
        return QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    return 96.0;
}

int PixelHeightOf(const QFont& font)
{
    if (font.pixelSize() > 0)
        return font.pixelSize();
    if (font.pointSizeF() > 0)
        return std::max(1, int(std::lround(font.pointSizeF() * ScreenDotsPerInch() / 72.0)));
    return kFallbackPixels;
}

QFont WithPixelSize(QFont font)
{
    font.setPixelSize(std::clamp(PixelHeightOf(font), 1, kMaxFontPixels));
    return font;
}

// A positive logical height is the whole cell (ascent plus descent); pick
// the character size whose cell comes closest without exceeding it.
void SetCellHeight(QFont& font, int nCellPixels)
{
    font.setPixelSize(nCellPixels);
    const QFontMetrics metrics(font);
    const int nCell = metrics.ascent() + metrics.descent();
    if (nCell > nCellPixels)
        font.setPixelSize(std::max(1, nCellPixels * nCellPixels / nCell));
}

} // namespace

QFont AfxDefaultGuiFont()
{
    return WithPixelSize(HasGuiApplication() ? QGuiApplication::font() : QFont());
}

QFont AfxIconTitleFont()
{
    if (!HasGuiApplication())
        return AfxDefaultGuiFont();
    return WithPixelSize(QFontDatabase::systemFont(QFontDatabase::TitleFont));
}

QFont AfxFontFromLogFont(const LOGFONTA& lf)
{
    QFont font = AfxDefaultGuiFont();
    const size_t nFaceLength = strnlen(lf.lfFaceName, LF_FACESIZE);
    if (nFaceLength > 0)
        font.setFamilies({AfxToQString(lf.lfFaceName, int(nFaceLength))});

    // Widen before negating: -INT32_MIN does not fit a LONG.
    const long long nHeight = lf.lfHeight;
    if (nHeight < 0)
        font.setPixelSize(int(std::clamp(-nHeight, 1LL, (long long)kMaxFontPixels)));
    else if (nHeight > 0)
        SetCellHeight(font, int(std::min(nHeight, (long long)kMaxFontPixels)));

    if (lf.lfWeight > 0)
        font.setWeight(QFont::Weight(std::clamp(int(lf.lfWeight), 1, 1000)));
    else
        font.setWeight(QFont::Normal);
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    if (lf.lfQuality == NONANTIALIASED_QUALITY)
        font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void AfxLogFontFromFont(const QFont& font, LOGFONTA& lf)
{
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = -std::clamp(PixelHeightOf(font), 1, kMaxFontPixels);
    lf.lfWeight = std::clamp(int(font.weight()), 1, 1000);
    lf.lfItalic = font.italic() ? 1 : 0;
    lf.lfUnderline = font.underline() ? 1 : 0;
    lf.lfStrikeOut = font.strikeOut() ? 1 : 0;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    // A family that the code page cannot spell, or that does not fit, is left
    // out: an empty face name means the default family again.
    CString strFace;
    if (AfxFromQString(font.family(), strFace) && strFace.GetLength() < LF_FACESIZE)
        std::memcpy(lf.lfFaceName, strFace.GetString(), size_t(strFace.GetLength()));
}
