// Shared helpers of the drawing tests: a white image to draw on and ways to
// read its pixels back.
#pragma once

#include <afxwin.h>

#include <QImage>

#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

QImage MakeWhiteImage(int nWidth, int nHeight);
// The pixels that are not white.
PixelSet InkedPixels(const QImage& image);
int CountColor(const QImage& image, COLORREF crColor);
bool HasColorAt(const QImage& image, int x, int y, COLORREF crColor);
