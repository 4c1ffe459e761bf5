// Numbers as text and text as numbers, with the automation runtime's rules.
// Nothing here depends on the process's locale: the decimal separator is
// always ".".
#pragma once

#include <cstdint>
#include <string>

#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// A floating-point number with `digits` significant digits (15 for a double,
// 7 for a single), as printf's "%.<digits>G" writes it: trailing zeros
// dropped, scientific form with an upper-case E, a sign and at least two
// exponent digits when the exponent is below -4 or at least `digits`. A
// negative zero is written "0".
std::string RealText(double value, int digits);

// Currency (ten-thousandths): the exact value, at most four decimals, trailing
// zeros dropped ("12.5", "-0.0005").
std::string CurrencyText(int64_t ten_thousandths);

// The exact decimal value with its trailing fraction zeros dropped.
std::string DecimalText(const Decimal& value);

// The decimal's value, rounded once to the nearest long double.
long double DecimalToLongDouble(const Decimal& value);

// Numeric text: optional spaces, an optional sign, a decimal or scientific
// number, optional spaces. Raises 13 for anything else and 6 for a number out
// of the double's range.
double ParseNumber(const WString& text);

// Rounds half to even, as the automation runtime does.
double RoundHalfEven(double value);

}  // namespace rxTheme
