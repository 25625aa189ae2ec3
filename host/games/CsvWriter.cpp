#include "CsvWriter.h"

namespace
{
bool needsQuotes(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") != std::string_view::npos)
        return true;
    return !text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                             text.back() == '\t');
}
} // namespace

std::string CsvWriter::field(std::string_view text)
{
    if (!needsQuotes(text))
        return std::string(text);
    std::string quoted = "\"";
    for (char ch : text) {
        if (ch == '"')
            quoted += '"';
        quoted += ch;
    }
    quoted += '"';
    return quoted;
}

std::string CsvWriter::record(const std::vector<std::string>& fields, std::string_view lineEnd)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += field(fields[i]);
    }
    line += lineEnd;
    return line;
}
