// Between the platform's logical font descriptions and Qt fonts. Heights are
// pixels on both sides; a Qt font given in points is converted at the primary
// screen's resolution (96 dots per inch when there is no screen).
#pragma once

#include "AfxGdiTypes.h"

#include <QFont>

// Very large or very small heights are clamped to 1..kMaxFontPixels, so a
// garbage description cannot make Qt rasterise giant glyphs.
constexpr int kMaxFontPixels = 1000;

AFX_API QFont AfxFontFromLogFont(const LOGFONTA& lf);
AFX_API void AfxLogFontFromFont(const QFont& font, LOGFONTA& lf);
// The application's font when a QGuiApplication exists, else Qt's default;
// always with a pixel size.
AFX_API QFont AfxDefaultGuiFont();
// The font the desktop uses for icon titles (here: Qt's window-title font).
AFX_API QFont AfxIconTitleFont();
