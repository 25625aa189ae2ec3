#include "hostdata/KurvoAtol.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

LONG KurvoAtol(LPCSTR lpszText)
{
    long long nValue = strtoll(lpszText, nullptr, 10);
    if (nValue > INT32_MAX)
        return INT32_MAX;
    if (nValue < INT32_MIN)
        return INT32_MIN;
    return LONG(nValue);
}

uintptr_t KurvoAtoPtr(LPCSTR lpszText)
{
    return uintptr_t(strtoull(lpszText, nullptr, 10));
}
