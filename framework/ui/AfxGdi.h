// Geometry, device contexts and drawing objects, on QPainter.
#pragma once

#include <afx.h>
