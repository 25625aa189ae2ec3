// What Help > About plug-ins shows of one plug-in: its OnAbout keys, decoded
// from the process's code page, and the version record of its file.
#pragma once

#include <afx.h>

#include "PluginFailure.h"

#include <QString>
#include <utility>
#include <vector>

class PluginAbout
{
public:
    using Keys = std::vector<std::pair<CString, CString>>;

    // The well-known keys first, in the order plug-ins give them, then any
    // others by name.
    static QString text(const QString& fileName, const Keys& keys, const QString& modulePath);
    static QString versionText(const QString& modulePath);
    // The modules not in use, with why; empty when there are none.
    static QString notInUseText(const std::vector<PluginFailure>& failures);
};
