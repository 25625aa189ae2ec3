#include "CsvReader.h"

namespace
{
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
}

CsvReader::CsvReader(std::string_view text, Piece piece)
    : m_text(text), m_line(piece.firstLine), m_moreFollows(piece.moreFollows)
{
    if (piece.atStart && m_text.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        m_pos = kUtf8Bom.size();
}

CsvReader::Status CsvReader::next(std::vector<std::string>& fields)
{
    fields.clear();
    m_error.clear();
    if (atEnd())
        return Status::End;
    m_recordLine = m_line;
    const size_t recordStart = m_pos;
    for (;;) {
        std::string& field = fields.emplace_back();
        if (!atEnd() && peek() == '"') {
            if (!readQuoted(field))
                return m_cutShort ? leaveIncomplete(recordStart, fields) : Status::Error;
        } else {
            readUnquoted(field);
        }
        if (atEnd())
            return m_moreFollows ? leaveIncomplete(recordStart, fields) : Status::Record;
        if (peek() == ',') {
            ++m_pos;
            continue;
        }
        if (atRecordEnd()) {
            consumeRecordEnd();
            return Status::Record;
        }
        return fail("unexpected character after a closing quote");
    }
}

bool CsvReader::atRecordEnd() const
{
    if (peek() == '\n')
        return true;
    return peek() == '\r' && (m_pos + 1 == m_text.size() || m_text[m_pos + 1] == '\n');
}

void CsvReader::consumeRecordEnd()
{
    if (peek() == '\r')
        ++m_pos;
    if (!atEnd() && peek() == '\n') {
        ++m_pos;
        ++m_line;
    }
}

bool CsvReader::readQuoted(std::string& field)
{
    ++m_pos; // opening quote
    for (;;) {
        const size_t quote = m_text.find('"', m_pos);
        if (quote == std::string_view::npos && m_moreFollows) {
            m_cutShort = true;
            return false;
        }
        if (quote == std::string_view::npos) {
            fail("a quoted field is not closed before the end of the file");
            m_pos = m_text.size();
            m_endedInsideQuotes = true;
            return false;
        }
        const std::string_view part = m_text.substr(m_pos, quote - m_pos);
        for (char ch : part)
            m_line += ch == '\n';
        field.append(part);
        m_pos = quote + 1;
        if (atEnd() || peek() != '"')
            return true;
        field += '"'; // a doubled quote stands for one
        ++m_pos;
    }
}

void CsvReader::readUnquoted(std::string& field)
{
    const size_t start = m_pos;
    while (!atEnd() && peek() != ',' && !atRecordEnd())
        ++m_pos;
    field.assign(m_text.substr(start, m_pos - start));
}

CsvReader::Status CsvReader::leaveIncomplete(size_t recordStart, std::vector<std::string>& fields)
{
    m_pos = recordStart;
    m_line = m_recordLine;
    fields.clear();
    return Status::Incomplete;
}

CsvReader::Status CsvReader::fail(std::string message)
{
    m_error = std::move(message);
    skipRestOfLine();
    return Status::Error;
}

void CsvReader::skipRestOfLine()
{
    const size_t newline = m_text.find('\n', m_pos);
    if (newline == std::string_view::npos) {
        m_pos = m_text.size();
        return;
    }
    m_pos = newline + 1;
    ++m_line;
}
