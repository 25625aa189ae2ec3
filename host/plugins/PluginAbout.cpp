#include "PluginAbout.h"

#include <afxqt.h>

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <array>

namespace
{
constexpr std::array<const char*, 6> kKnownKeys{"Name",    "Author", "Company",
                                                "Version", "Date",   "Description"};

int rank(const CString& key)
{
    const auto it = std::find(kKnownKeys.begin(), kKnownKeys.end(), key.str());
    return int(it - kKnownKeys.begin());
}

QString dotted(const WORD version[4])
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(version[0])
        .arg(version[1])
        .arg(version[2])
        .arg(version[3]);
}
} // namespace

QString PluginAbout::text(const QString& fileName, const Keys& keys, const QString& modulePath)
{
    Keys sorted = keys;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return std::make_pair(rank(a.first), a.first.str()) <
               std::make_pair(rank(b.first), b.first.str());
    });
    QStringList lines{fileName};
    for (const auto& [key, value] : sorted) {
        QString shown = AfxToQString(value);
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n    "));
        lines << QStringLiteral("  %1: %2").arg(AfxToQString(key), shown);
    }
    lines << versionText(modulePath);
    return lines.join(QLatin1Char('\n'));
}

QString PluginAbout::versionText(const QString& modulePath)
{
    AFX_FILE_VERSION_INFO info;
    CString error;
    if (!AfxGetFileVersionInfo(QFile::encodeName(modulePath).constData(), info, &error))
        return QStringLiteral("  no version record: %1").arg(AfxToQString(error));
    QStringList lines{QStringLiteral("  version record: file version %1, product version %2")
                          .arg(dotted(info.wFileVersion), dotted(info.wProductVersion))};
    const AFX_VERSION_COPY* copy = info.FindCopy(AfxGetUILanguage());
    if (copy == nullptr && !info.copies.empty())
        copy = &info.copies.front();
    if (copy != nullptr) {
        for (const auto& [key, value] : copy->strings)
            lines << QStringLiteral("  %1: %2").arg(AfxToQString(key), AfxToQString(value));
    }
    return lines.join(QLatin1Char('\n'));
}

QString PluginAbout::notInUseText(const std::vector<PluginFailure>& failures)
{
    if (failures.empty())
        return QString();
    QStringList lines{QCoreApplication::translate("PluginAbout", "Not in use:")};
    for (const PluginFailure& failure : failures)
        lines << QStringLiteral("  ") + failure.helpLine();
    return lines.join(QLatin1Char('\n'));
}
