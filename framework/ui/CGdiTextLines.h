// Splits text for DrawText into lines and applies the mnemonic-prefix rule:
// '&' is not drawn and marks the next character for underlining, "&&" stands
// for one '&', and a '&' with nothing after it on its line is dropped.
#pragma once

#include <afx.h>

#include <QString>

#include <vector>

class CGdiTextLines
{
public:
    struct Line {
        QString strText;
        std::vector<int> underlines; // indexes into strText
    };

    // nFormat: DT_SINGLELINE, DT_NOPREFIX and DT_HIDEPREFIX are honoured.
    static std::vector<Line> Split(const QString& strText, UINT nFormat);

private:
    static std::vector<QString> BreakLines(const QString& strText);
    static Line ApplyPrefixes(const QString& strRaw, BOOL bUnderline);
};
