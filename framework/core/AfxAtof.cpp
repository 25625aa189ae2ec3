#include "AfxAtof.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace
{

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The white space of the C locale: blank, tab, line feed, vertical tab, form
// feed and carriage return.
bool IsSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Exponent digits past this bound cannot change which way a number falls
// out of a double's range, and stopping there keeps the sum from overflowing.
constexpr long long nExponentBound = 1000000000000LL;

struct DecimalScan {
    size_t nDigits = 0; // where the digits start, past white space and sign
    size_t nEnd = 0;    // one past the number; 0 when there is none
    // Where a d or D exponent letter stands, which the conversion does not
    // read; npos when there is none.
    size_t nLetterD = std::string_view::npos;
    bool bNegative = false;
    // The decimal exponent of the leading significant digit, from the
    // digits and the exponent; only its sign is used, to tell an overflow
    // from an underflow.
    long long nMagnitude = 0;
};

size_t SkipDigits(std::string_view text, size_t i)
{
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

bool IsExponentLetter(char c, AfxExponentLetters letters)
{
    return c == 'e' || c == 'E' || (letters == AfxExponentLetters::eOrD && (c == 'd' || c == 'D'));
}

// The exponent after a mantissa ending at i: the position past it and its
// value, or i itself when no digit follows the letter and its sign.
size_t ScanExponent(std::string_view text, size_t i, AfxExponentLetters letters,
                    long long& rExponent)
{
    rExponent = 0;
    if (i >= text.size() || !IsExponentLetter(text[i], letters))
        return i;
    size_t j = i + 1;
    const bool bNegative = j < text.size() && text[j] == '-';
    if (j < text.size() && (text[j] == '+' || text[j] == '-'))
        ++j;
    if (j >= text.size() || !IsDigit(text[j]))
        return i;
    for (; j < text.size() && IsDigit(text[j]); ++j) {
        if (rExponent < nExponentBound)
            rExponent = rExponent * 10 + (text[j] - '0');
    }
    if (bNegative)
        rExponent = -rExponent;
    return j;
}

DecimalScan ScanDecimal(std::string_view text, AfxExponentLetters letters)
{
    DecimalScan scan;
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        scan.bNegative = text[i] == '-';
        ++i;
    }
    scan.nDigits = i;
    while (i < text.size() && text[i] == '0')
        ++i;
    const size_t nSignificant = i;
    i = SkipDigits(text, i);
    long long nMagnitude = (long long)(i - nSignificant) - 1;
    bool bAnyDigit = i > scan.nDigits;
    if (i < text.size() && text[i] == '.') {
        const size_t nFraction = ++i;
        i = SkipDigits(text, i);
        bAnyDigit = bAnyDigit || i > nFraction;
        if (nMagnitude < 0) {
            size_t nZeros = nFraction;
            while (nZeros < i && text[nZeros] == '0')
                ++nZeros;
            nMagnitude = -(long long)(nZeros - nFraction) - 1;
        }
    }
    if (!bAnyDigit)
        return scan;
    long long nExponent = 0;
    scan.nEnd = ScanExponent(text, i, letters, nExponent);
    scan.nMagnitude = nMagnitude + nExponent;
    if (scan.nEnd > i && (text[i] == 'd' || text[i] == 'D'))
        scan.nLetterD = i;
    return scan;
}

} // namespace

size_t AfxDecimalLength(std::string_view text, AfxExponentLetters letters)
{
    return ScanDecimal(text, letters).nEnd;
}

double AfxAtof(std::string_view text)
{
    const DecimalScan scan = ScanDecimal(text, AfxExponentLetters::eOrD);
    if (scan.nEnd == 0)
        return 0.0;
    // Only the scanned digits reach the conversion, and it takes neither
    // white space nor a plus sign, so the sign is applied here; nor a d
    // exponent, which a copy spells with an e.
    std::string_view digits = text.substr(scan.nDigits, scan.nEnd - scan.nDigits);
    std::string spelled;
    if (scan.nLetterD != std::string_view::npos) {
        spelled.assign(digits);
        spelled[scan.nLetterD - scan.nDigits] = 'e';
        digits = spelled;
    }
    double dValue = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), dValue,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        dValue = scan.nMagnitude > 0 ? HUGE_VAL : 0.0;
    else if (result.ec != std::errc())
        dValue = 0.0;
    return scan.bNegative ? -dValue : dValue;
}
