#include "print/json_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace rxTheme::cli {

namespace {

void AppendEscape(std::string& out, char16_t unit) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(unit));
  out += buf;
}

// The shortest decimal text that reads back to the same double (or, for a
// single, the same float): what is stored, not the runtime's 15- or 7-digit
// text of it.
std::string ShortestReal(double value, bool single) {
  char buf[32];
  const std::to_chars_result end =
      single ? std::to_chars(buf, buf + sizeof buf, static_cast<float>(value))
             : std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, end.ptr);
}

}  // namespace

std::string JsonString(std::u16string_view text) {
  std::string out = "\"";
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    switch (u) {
      case u'"':
        out += "\\\"";
        continue;
      case u'\\':
        out += "\\\\";
        continue;
      case u'\n':
        out += "\\n";
        continue;
      case u'\r':
        out += "\\r";
        continue;
      case u'\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (u < 0x20) {
      AppendEscape(out, u);
    } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
               text[i + 1] <= 0xDFFF) {
      AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendEscape(out, u);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out + "\"";
}

std::string JsonScalar(const Variant& value) {
  switch (value.Type()) {
    case VarType::Empty:
    case VarType::Null:
      return "null";
    case VarType::Bool:
      return value.BoolValue() ? "true" : "false";
    case VarType::String:
      return JsonString(value.StringValue());
    case VarType::Decimal:
      return JsonString(value.ToString());
    case VarType::R4:
    case VarType::R8:
    case VarType::Date:
      if (!std::isfinite(value.NumericValue())) return "null";
      return ShortestReal(value.NumericValue(), value.Type() == VarType::R4);
    default:  // integers and currency: their text is a JSON number
      return ToUtf8(value.ToString());
  }
}

}  // namespace rxTheme::cli
