// Formats records the way CsvReader reads them back: a field is quoted only
// when it holds a comma, a quote, a line break or blanks at either end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class CsvWriter
{
public:
    static std::string field(std::string_view text);
    // The record's fields joined by commas, followed by lineEnd.
    static std::string record(const std::vector<std::string>& fields,
                              std::string_view lineEnd = "\n");
};
