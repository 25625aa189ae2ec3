// Splits CSV text into records, one at a time.
//
// Understands what spreadsheet programs write: fields separated by commas,
// records ended by LF or CRLF, fields in double quotes that may hold commas,
// line breaks and doubled quotes, and a UTF-8 byte-order mark at the start.
// A quote inside an unquoted field is kept as an ordinary character. The
// reader never allocates more than the text it is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CsvReader
{
public:
    enum class Status {
        Record, // a record was read into the fields
        Error,  // the record was malformed and skipped; errorMessage() says why
        End,    // no more records
    };

    explicit CsvReader(std::string_view text);

    Status next(std::vector<std::string>& fields);

    // The 1-based line on which the last record (or error) began.
    int recordLine() const { return m_recordLine; }
    const std::string& errorMessage() const { return m_error; }
    // Whether the text ended inside a quoted field: text appended to it
    // would be read as part of that field.
    bool endedInsideQuotes() const { return m_endedInsideQuotes; }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }
    bool atRecordEnd() const;
    void consumeRecordEnd();
    bool readQuoted(std::string& field);
    void readUnquoted(std::string& field);
    Status fail(std::string message);
    void skipRestOfLine();

    std::string_view m_text;
    size_t m_pos = 0;
    int m_line = 1;
    int m_recordLine = 0;
    std::string m_error;
    bool m_endedInsideQuotes = false;
};
