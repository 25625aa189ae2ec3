#include "CGdiTextLines.h"

#include "AfxGdiTypes.h"

std::vector<QString> CGdiTextLines::BreakLines(const QString& strText)
{
    std::vector<QString> lines;
    QString strLine;
    const qsizetype nLength = strText.size();
    for (qsizetype i = 0; i < nLength; ++i) {
        const QChar ch = strText[i];
        if (ch != u'\r' && ch != u'\n') {
            strLine.append(ch);
            continue;
        }
        if (ch == u'\r' && i + 1 < nLength && strText[i + 1] == u'\n')
            ++i;
        lines.push_back(strLine);
        strLine.clear();
    }
    // A break at the very end closes the last line without opening another.
    if (!strLine.isEmpty())
        lines.push_back(strLine);
    return lines;
}

CGdiTextLines::Line CGdiTextLines::ApplyPrefixes(const QString& strRaw, BOOL bUnderline)
{
    Line line;
    const qsizetype nLength = strRaw.size();
    for (qsizetype i = 0; i < nLength; ++i) {
        if (strRaw[i] != u'&') {
            line.strText.append(strRaw[i]);
            continue;
        }
        if (i + 1 >= nLength)
            break; // a lone '&' at the end prefixes nothing
        ++i;
        if (strRaw[i] != u'&' && bUnderline)
            line.underlines.push_back(int(line.strText.size()));
        line.strText.append(strRaw[i]);
    }
    return line;
}

std::vector<CGdiTextLines::Line> CGdiTextLines::Split(const QString& strText, UINT nFormat)
{
    std::vector<QString> rawLines;
    if (nFormat & DT_SINGLELINE) {
        QString strLine = strText;
        strLine.remove(u'\r');
        strLine.remove(u'\n');
        rawLines.push_back(strLine);
    } else {
        rawLines = BreakLines(strText);
    }

    std::vector<Line> lines;
    lines.reserve(rawLines.size());
    for (const QString& strRaw : rawLines) {
        if (nFormat & DT_NOPREFIX)
            lines.push_back(Line{strRaw, {}});
        else
            lines.push_back(ApplyPrefixes(strRaw, (nFormat & DT_HIDEPREFIX) == 0));
    }
    return lines;
}
