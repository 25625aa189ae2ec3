// The original platform runtime's atof, which the plug-in reads the host's
// figures with and the host checks its game files against: leading white
// space, an optional sign, digits with an optional point and fraction, then
// an optional exponent, whose letter is e, E, d or D (so "1d3" is 1000, as
// that runtime has it); reading stops at the first character that does not
// fit, and text without a number reads as 0. Nothing else is a number: no
// "inf", no "nan", no hexadecimal (a C99 runtime's strtod would take all
// three). The point is always '.', whatever the process locale.
#pragma once

#include "AfxTypes.h"

#include <cstddef>
#include <string_view>

// Which letters start an exponent: the runtime's four, or only e and E for
// text that other programs read too (the host's game files).
enum class AfxExponentLetters { eOrD, eOnly };

// The length of the number at the start of the text, its leading white
// space included; 0 when the text does not start with one. An exponent
// counts only with at least one digit, so "1e" and "1e+" end after the 1.
AFX_API size_t AfxDecimalLength(std::string_view text,
                                AfxExponentLetters letters = AfxExponentLetters::eOrD);

// The double nearest to that number, 0 when there is none. A number beyond
// the range of a double reads as an infinity or a zero of its sign.
AFX_API double AfxAtof(std::string_view text);
