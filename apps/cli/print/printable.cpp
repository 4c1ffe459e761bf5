#include "print/printable.h"

#include <algorithm>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme::cli {

std::string Printable(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t plain = 0;  // start of the run not yet converted
  auto flush = [&](size_t end) { out += ToUtf8(text.substr(plain, end - plain)); };
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit >= 0x20 && (unit < 0x7F || unit > 0x9F)) continue;
    flush(i);
    constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[unit >> 4];  // a control unit is below 0xA0: two digits
    out += kHex[unit & 0xF];
    plain = i + 1;
  }
  flush(text.size());
  return out;
}

std::string ShellWord(const std::string& path) {
  const bool plain = !path.empty() && std::all_of(path.begin(), path.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("_-./+,:=@%").find(c) != std::string_view::npos;
  });
  if (plain) return path;
  std::string quoted = "'";
  for (char c : path) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace rxTheme::cli
