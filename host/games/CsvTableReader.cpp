#include "CsvTableReader.h"

#include "CsvReader.h"
#include "FileBytes.h"

#include <QStringList>

namespace
{
std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

bool isBlankRecord(const std::vector<std::string>& fields)
{
    return fields.size() == 1 && trimmed(fields[0]).empty();
}
} // namespace

bool CsvTableReader::readFile(const QString& path, const RowHandler& onRow)
{
    startTable();
    std::string pending;
    size_t retryAt = 0;
    const auto onPiece = [&](std::string_view piece) {
        pending.append(piece);
        // A record longer than a piece is tried again once the text has
        // doubled, so that even a hostile one is read in linear time.
        if (pending.size() < retryAt)
            return true;
        const size_t cut = pending.rfind('\n');
        if (cut != std::string::npos)
            pending.erase(
                0, readPiece(std::string_view(pending).substr(0, cut + 1), true, path, onRow));
        retryAt = 2 * pending.size();
        return !m_failed;
    };
    QString error;
    if (!FileBytes::readPieces(path, kMaxFileBytes, onPiece, error)) {
        m_log.add(path, 0, error);
        return false;
    }
    if (m_failed)
        return false;
    readPiece(pending, false, path, onRow);
    return finishTable(path);
}

bool CsvTableReader::readText(std::string_view text, const QString& path, const RowHandler& onRow)
{
    startTable();
    readPiece(text, false, path, onRow);
    return finishTable(path);
}

void CsvTableReader::startTable()
{
    m_haveHeader = false;
    m_failed = false;
    m_line = 1;
    m_atStart = true;
}

size_t CsvTableReader::readPiece(std::string_view text, bool moreFollows, const QString& path,
                                 const RowHandler& onRow)
{
    CsvReader reader(text, {m_line, m_atStart, moreFollows});
    m_atStart = false;
    while (!m_failed) {
        const CsvReader::Status status = reader.next(m_fields);
        if (status == CsvReader::Status::End || status == CsvReader::Status::Incomplete)
            break;
        if (status == CsvReader::Status::Error)
            m_log.add(path, reader.recordLine(), QString::fromStdString(reader.errorMessage()));
        else if (!isBlankRecord(m_fields))
            takeRecord(reader.recordLine(), path, onRow);
    }
    m_line = reader.line();
    return reader.offset();
}

void CsvTableReader::takeRecord(int line, const QString& path, const RowHandler& onRow)
{
    if (!m_haveHeader) {
        m_haveHeader = mapHeader(m_fields, path, line);
        m_failed = !m_haveHeader;
        return;
    }
    if (m_fields.size() != m_headerWidth) {
        m_log.add(path, line,
                  CsvTableReader::tr("has %1 fields where the header has %2; line skipped")
                      .arg(m_fields.size())
                      .arg(m_headerWidth));
        return;
    }
    m_cells.clear();
    for (size_t index : m_columnIndex)
        m_cells.push_back(std::move(m_fields[index]));
    onRow(line, m_cells);
}

bool CsvTableReader::finishTable(const QString& path)
{
    if (m_failed)
        return false;
    if (!m_haveHeader) {
        m_log.add(path, 0, CsvTableReader::tr("is empty; a header line was expected"));
        return false;
    }
    return true;
}

bool CsvTableReader::mapHeader(const std::vector<std::string>& header, const QString& path,
                               int line)
{
    m_columnIndex.clear();
    m_headerWidth = header.size();
    QStringList missing;
    for (std::string_view column : m_columns) {
        size_t found = header.size();
        for (size_t i = 0; i < header.size() && found == header.size(); ++i) {
            if (sameNameIgnoringCase(trimmed(header[i]), column))
                found = i;
        }
        if (found == header.size())
            missing << QString::fromUtf8(column.data(), qsizetype(column.size()));
        m_columnIndex.push_back(found);
    }
    if (!missing.isEmpty()) {
        m_log.add(path, line,
                  CsvTableReader::tr("the header lacks the column(s) %1; file not read")
                      .arg(missing.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}
