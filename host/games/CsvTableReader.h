// Reads a CSV file whose first record names its columns, and hands each
// later record to a callback with its cells in the order the caller asked
// for. Columns are found by name (letter case and surrounding blanks do not
// matter), so files with columns in another order or with extra columns still
// read. Blank lines are skipped; every other problem is written to the log
// with the file and line, and the faulty record is skipped. A file is read a
// piece at a time, so a big one is never held whole.
#pragma once

#include "LoadLog.h"

#include <QCoreApplication>
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
    // large, or lacks one of the columns; or when reading it failed part way,
    // after the records before the failure.
    bool readFile(const QString& path, const RowHandler& onRow);
    bool readText(std::string_view text, const QString& pathForMessages, const RowHandler& onRow);

private:
    void startTable();
    // Reads the records of a piece of the table; how much of it they took
    // (all of it, but for a record that the next piece continues).
    size_t readPiece(std::string_view text, bool moreFollows, const QString& path,
                     const RowHandler& onRow);
    void takeRecord(int line, const QString& path, const RowHandler& onRow);
    bool finishTable(const QString& path);
    bool mapHeader(const std::vector<std::string>& header, const QString& path, int line);

    std::vector<std::string_view> m_columns;
    LoadLog& m_log;
    std::vector<size_t> m_columnIndex; // position in the record of each asked-for column
    size_t m_headerWidth = 0;
    bool m_haveHeader = false;
    bool m_failed = false; // the header lacks a column: the rest is not read
    int m_line = 1;
    bool m_atStart = true;
    std::vector<std::string> m_fields;
    std::vector<std::string> m_cells;

    Q_DECLARE_TR_FUNCTIONS(CsvTableReader)
};
