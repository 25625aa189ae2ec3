// Why a chart file cannot be dumped: one line, without the file name, which
// the caller puts in front.
#pragma once

#include <stdexcept>
#include <string>

class KvError : public std::runtime_error
{
public:
    explicit KvError(const std::string& cause);
};
