// Decimal text from the host, read the way the original platform's runtime
// read it: leading white space, an optional sign, then digits up to the first
// non-digit; no digits give 0. Values beyond 32 bits saturate, as that
// runtime's atol did, instead of wrapping.
#pragma once

#include <afx.h>

LONG KurvoAtol(LPCSTR lpszText);
inline int KurvoAtoi(LPCSTR lpszText)
{
    return int(KurvoAtol(lpszText));
}

// A decimal address at the full width of a pointer (strtoull semantics: a
// leading minus negates modulo 2^64, out-of-range text saturates).
uintptr_t KurvoAtoPtr(LPCSTR lpszText);
