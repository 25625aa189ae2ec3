// Reads a CSV file whose first record names its columns, and hands each
// later record to a callback with its cells in the order the caller asked
// for. Columns are found by name (letter case and surrounding blanks do not
// matter), so files with columns in another order or with extra columns still
// read. Blank lines are skipped; every other problem is written to the log
// with the file and line, and the faulty record is skipped.
#pragma once

#include "LoadLog.h"

#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CsvTableReader
{
public:
    // Files larger than this are refused rather than read into memory.
    static constexpr qint64 kMaxFileBytes = qint64(512) * 1024 * 1024;

    using RowHandler = std::function<void(int line, const std::vector<std::string>& cells)>;

    CsvTableReader(std::vector<std::string_view> columns, LoadLog& log)
        : m_columns(std::move(columns)), m_log(log)
    {
    }

    // False when the file cannot be used at all: it cannot be opened, is too
    // large, or lacks one of the columns.
    bool readFile(const QString& path, const RowHandler& onRow);
    bool readText(std::string_view text, const QString& pathForMessages, const RowHandler& onRow);

private:
    bool mapHeader(const std::vector<std::string>& header, const QString& path, int line);

    std::vector<std::string_view> m_columns;
    LoadLog& m_log;
    std::vector<size_t> m_columnIndex; // position in the record of each asked-for column
    size_t m_headerWidth = 0;
};
