// What a pen, brush or font handle points at. Internal to the drawing layer:
// other code holds only the opaque handles.
//
// Every live object is listed in a registry, so a stale or made-up handle is
// recognised and refused instead of being followed.
#pragma once

#include "AfxGdiTypes.h"

#include <QColor>
#include <QFont>

struct AfxGdiObjectData {
    enum class Kind { Pen, Brush, Font };

    Kind eKind = Kind::Pen;
    BOOL bStock = FALSE; // stock objects are never freed

    UINT nPenStyle = PS_SOLID;
    int nPenWidth = 0;
    UINT nBrushStyle = BS_SOLID;
    COLORREF crColor = 0; // pen or brush colour

    LOGFONTA logFont{};
    // Stock fonts follow the application font, which may only exist (or may
    // change) after the stock object was first handed out.
    BOOL bFollowsAppFont = FALSE;
    QFont font;
};

// Takes ownership and registers; returns the handle.
HGDIOBJ AfxRegisterGdiObject(AfxGdiObjectData* pData);
// The object behind a handle, or null when the handle is not a live object.
AfxGdiObjectData* AfxLookupGdiObject(HGDIOBJ hObject);
// Unregisters and frees a non-stock object; FALSE for unknown handles.
BOOL AfxFreeGdiObject(HGDIOBJ hObject);

inline QColor AfxQColorFromColorRef(COLORREF cr)
{
    return QColor(GetRValue(cr), GetGValue(cr), GetBValue(cr));
}

// The font a stock or created font object stands for right now.
QFont AfxResolveFont(const AfxGdiObjectData& data);
