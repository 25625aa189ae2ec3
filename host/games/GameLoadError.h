// One problem found while reading game files or an imported turn.
#pragma once

#include <QString>

struct GameLoadError {
    QString file;    // the file (or folder) at fault
    int line = 0;    // 1-based line in that file; 0 when the problem is not on a line
    QString message; // what is wrong and what was done about it

    // "file:line: message", or "file: message" when there is no line.
    QString toString() const;
};
