// Geometry, device contexts and drawing objects, on QPainter.
#pragma once

#include <afx.h>

#include "AfxGdiTypes.h"
#include "AfxRectFunctions.h"
#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"

#include "AfxGdiObjects.h"
#include "CBrush.h"
#include "CFont.h"
#include "CGdiObject.h"
#include "CPen.h"

#include "AfxDcFunctions.h"
#include "CDC.h"
