// Geometry, device contexts and drawing objects, on QPainter.
#pragma once

#include <afx.h>

#include "AfxGdiTypes.h"
#include "AfxRectFunctions.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"
