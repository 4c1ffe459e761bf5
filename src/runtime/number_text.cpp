#include "runtime/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include <rxtheme/runtime/automation_error.h>

namespace rxTheme {

namespace {

#ifdef __SIZEOF_INT128__
// The 96-bit mantissa of a decimal as an unsigned 128-bit number.
unsigned __int128 Mantissa(const Decimal& d) {
  return (static_cast<unsigned __int128>(d.hi32) << 64) | d.lo64;
}
#else
// Targets without a 128-bit integer (32-bit Windows): the mantissa as three
// 32-bit limbs, most significant first, with the two operations needed here.
struct Mantissa96 {
  uint32_t limb[3];
  bool operator!=(int zero) const {
    return (limb[0] | limb[1] | limb[2]) != static_cast<uint32_t>(zero);
  }
  int operator%(int ten) const {
    uint64_t rest = 0;
    for (uint32_t l : limb) rest = ((rest << 32) | l) % static_cast<uint64_t>(ten);
    return static_cast<int>(rest);
  }
  Mantissa96& operator/=(int ten) {
    uint64_t rest = 0;
    for (uint32_t& l : limb) {
      uint64_t cur = (rest << 32) | l;
      l = static_cast<uint32_t>(cur / static_cast<uint64_t>(ten));
      rest = cur % static_cast<uint64_t>(ten);
    }
    return *this;
  }
  explicit operator long double() const {
    // Both terms are exact; the sum rounds once, as a direct conversion does.
    return static_cast<long double>(limb[0]) * 18446744073709551616.0L +
           static_cast<long double>((static_cast<uint64_t>(limb[1]) << 32) | limb[2]);
  }
};
Mantissa96 Mantissa(const Decimal& d) {
  return {{d.hi32, static_cast<uint32_t>(d.lo64 >> 32), static_cast<uint32_t>(d.lo64)}};
}
#endif

}  // namespace

std::string RealText(double value, int digits) {
  char buf[64];
  const auto result =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, digits);
  std::string text(buf, result.ptr);
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');  // E, INF, NAN
  }
  if (text == "-0") text = "0";
  return text;
}

std::string CurrencyText(int64_t v) {
  uint64_t mag = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  std::string text = std::to_string(mag / 10000);
  uint64_t frac = mag % 10000;
  if (frac != 0) {
    std::string f = std::to_string(frac);
    f.insert(0, 4 - f.size(), '0');
    while (f.back() == '0') f.pop_back();
    text += "." + f;
  }
  return v < 0 ? "-" + text : text;
}

std::string DecimalText(const Decimal& d) {
  auto m = Mantissa(d);
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(m % 10)));
    m /= 10;
  } while (m != 0);
  size_t scale = d.scale;
  if (scale > 0) {
    if (digits.size() <= scale) digits.insert(0, scale - digits.size() + 1, '0');
    digits.insert(digits.size() - scale, 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
  }
  if ((d.sign & 0x80) && digits != "0") digits.insert(0, 1, '-');
  return digits;
}

long double DecimalToLongDouble(const Decimal& d) {
  long double v = static_cast<long double>(Mantissa(d));
  for (int i = 0; i < d.scale; ++i) v /= 10;
  return d.sign & 0x80 ? -v : v;
}

double ParseNumber(const WString& text) {
  std::string s = Narrow(TrimSpaces(text));
  for (char16_t u : TrimSpaces(text)) {
    if (u > 0x7F) RaiseError(kTypeMismatch);
  }
  size_t start = 0;
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    start = 1;
  }
  if (start >= s.size() || s[start] == '+' || s[start] == '-') RaiseError(kTypeMismatch);
  double v = 0;
  auto result = std::from_chars(s.data() + start, s.data() + s.size(), v);
  if (result.ec == std::errc::result_out_of_range) RaiseError(kOverflow);
  if (result.ec != std::errc() || result.ptr != s.data() + s.size()) RaiseError(kTypeMismatch);
  if (std::isnan(v) || std::isinf(v)) RaiseError(kTypeMismatch);
  return negative ? -v : v;
}

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) return value;
  double floor = std::floor(value);
  double diff = value - floor;
  if (diff < 0.5) return floor;
  if (diff > 0.5) return floor + 1;
  return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

}  // namespace rxTheme
