// The number rules every Part quotes: floor, rounding ties to even into 16/32 bits, leading-number
// reading of texts, and the text forms of numbers.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace quorl {

// Largest whole number not above x.
double Int(double x);
// Nearest integer, ties to even, into 16 / 32 bits; OverflowError when it does not fit (or x is not finite).
std::int16_t CInt(double x);
std::int32_t CLng(double x);
// The leading number of a text: blanks, sign, digits, point, exponent; 0 when there is none.
double Val(std::string_view text);
// Whole text must be a number (blanks around allowed); false otherwise.
bool parseStrict(std::string_view text, double& out);

// General text form: a blank before a non-negative number (" 12", "-3", " 0.5"), up to 15 significant digits.
std::string Str(double x);
// The same without the blank ("12", "0.5").
std::string plain(double x);
// Fixed decimals ("0.00" -> decimals 2), rounding half away from zero as a format would.
std::string fixed(double x, int decimals);
// Zero-padded fixed pattern such as "000.000": intDigits before the point, decimals after.
std::string padded(double x, int intDigits, int decimals);

// Shortest text that reads back to the same double (for dumps).
std::string shortest(double x);

}  // namespace quorl
