// Work to do once every benchmark has run, while the program is still whole:
// windows have to go before exit, when the toolkit's own globals are already
// gone.
#pragma once

#include <functional>

void BenchAtEnd(std::function<void()> fnTeardown);
