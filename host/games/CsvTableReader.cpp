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
    QString error;
    const std::optional<QByteArray> bytes = FileBytes::read(path, kMaxFileBytes, error);
    if (!bytes) {
        m_log.add(path, 0, error);
        return false;
    }
    return readText(std::string_view(bytes->constData(), size_t(bytes->size())), path, onRow);
}

bool CsvTableReader::readText(std::string_view text, const QString& path, const RowHandler& onRow)
{
    CsvReader reader(text);
    std::vector<std::string> fields;
    std::vector<std::string> cells;
    bool haveHeader = false;
    for (;;) {
        const CsvReader::Status status = reader.next(fields);
        if (status == CsvReader::Status::End)
            break;
        if (status == CsvReader::Status::Error) {
            m_log.add(path, reader.recordLine(), QString::fromStdString(reader.errorMessage()));
            continue;
        }
        if (isBlankRecord(fields))
            continue;
        if (!haveHeader) {
            if (!mapHeader(fields, path, reader.recordLine()))
                return false;
            haveHeader = true;
            continue;
        }
        if (fields.size() != m_headerWidth) {
            m_log.add(path, reader.recordLine(),
                      QStringLiteral("has %1 fields where the header has %2; line skipped")
                          .arg(fields.size())
                          .arg(m_headerWidth));
            continue;
        }
        cells.clear();
        for (size_t index : m_columnIndex)
            cells.push_back(std::move(fields[index]));
        onRow(reader.recordLine(), cells);
    }
    if (!haveHeader) {
        m_log.add(path, 0, QStringLiteral("is empty; a header line was expected"));
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
                  QStringLiteral("the header lacks the column(s) %1; file not read")
                      .arg(missing.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}
