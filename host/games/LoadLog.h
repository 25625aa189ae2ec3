// Collects the problems of a load. A file full of garbage could otherwise
// produce one entry per line, so each file gets a bounded number of entries
// and then a single note that more were left out.
#pragma once

#include "GameLoadError.h"

#include <QCoreApplication>
#include <QString>
#include <map>
#include <vector>

class LoadLog
{
public:
    static constexpr int kDefaultMaxPerFile = 50;

    explicit LoadLog(int maxPerFile = kDefaultMaxPerFile) : m_maxPerFile(maxPerFile) {}

    void add(const QString& file, int line, const QString& message);

    const std::vector<GameLoadError>& errors() const { return m_errors; }
    bool isEmpty() const { return m_errors.empty(); }
    std::vector<GameLoadError> takeErrors();

private:
    int m_maxPerFile;
    // Not a QHash: its insertion cannot pass on a failed allocation, and
    // an import must be able to fail that way without ending the program.
    std::map<QString, int> m_countPerFile;
    std::vector<GameLoadError> m_errors;

    Q_DECLARE_TR_FUNCTIONS(LoadLog)
};
