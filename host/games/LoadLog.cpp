#include "LoadLog.h"

#include <utility>

void LoadLog::add(const QString& file, int line, const QString& message)
{
    int& count = m_countPerFile[file];
    ++count;
    if (count < m_maxPerFile) {
        m_errors.push_back({file, line, message});
    } else if (count == m_maxPerFile) {
        m_errors.push_back({file, line,
                            LoadLog::tr("too many problems; the rest of this file's "
                                        "problems are not listed")});
    }
}

std::vector<GameLoadError> LoadLog::takeErrors()
{
    m_countPerFile.clear();
    return std::exchange(m_errors, {});
}
