// Splits CSV text into records, one at a time.
//
// Understands what spreadsheet programs write: fields separated by commas,
// records ended by LF or CRLF, fields in double quotes that may hold commas,
// line breaks and doubled quotes, and a UTF-8 byte-order mark at the start.
// A quote inside an unquoted field is kept as an ordinary character. The
// reader never allocates more than the text it is given.
//
// A long table can be read piece by piece: each piece but the last should end
// just after a line feed, and a record that a piece cuts short (a quoted
// field going on past it) is left for the piece that carries on from offset().
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
        // The piece ends inside a record that the next piece continues; the
        // record is left unread, from offset().
        Incomplete,
    };

    // Where a piece of text stands in its table.
    struct Piece {
        int firstLine = 1;
        bool atStart = true; // a byte-order mark may open it
        bool moreFollows = false;
    };

    explicit CsvReader(std::string_view text) : CsvReader(text, Piece{}) {}
    CsvReader(std::string_view text, Piece piece);

    Status next(std::vector<std::string>& fields);

    // The 1-based line on which the last record (or error) began.
    int recordLine() const { return m_recordLine; }
    // The first byte, and its line, that no record has taken yet.
    size_t offset() const { return m_pos; }
    int line() const { return m_line; }
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
    Status leaveIncomplete(size_t recordStart, std::vector<std::string>& fields);
    void skipRestOfLine();

    std::string_view m_text;
    size_t m_pos = 0;
    int m_line = 1;
    int m_recordLine = 0;
    std::string m_error;
    bool m_endedInsideQuotes = false;
    bool m_moreFollows = false;
    bool m_cutShort = false; // a quoted field ran past the piece
};
