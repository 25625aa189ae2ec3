#include "KvError.h"

KvError::KvError(const std::string& cause) : std::runtime_error(cause) {}
