#include <rxtheme/runtime/host_text.h>

#include <rxtheme/runtime/automation_error.h>

namespace rxTheme {

namespace {

// The length of the well-formed sequence that starts at `bytes[i]`, or 0.
size_t SequenceLength(std::string_view bytes, size_t i) {
  const auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  const unsigned char lead = at(i);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong form
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + length > bytes.size()) return 0;
  if (at(i + 1) < low || at(i + 1) > high) return 0;
  for (size_t k = 2; k < length; ++k) {
    if (at(i + k) < 0x80 || at(i + k) > 0xBF) return 0;
  }
  return length;
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t length = SequenceLength(bytes, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string ThemeTextToUtf8(std::u16string_view units) {
  bool bytes_only = true;
  for (char16_t unit : units) bytes_only &= unit < 0x100;
  if (bytes_only) {
    const std::string bytes = Narrow(units);
    if (IsWellFormedUtf8(bytes)) return bytes;
  }
  return ToUtf8(units);
}

WString ThemeTextFromUtf8(std::string_view utf8) {
  if (!IsWellFormedUtf8(utf8)) {
    RaiseError(kInvalidProcedureCall, u"The text is not well-formed UTF-8");
  }
  return Widen(utf8);
}

WString HostTextForMessage(std::string_view text) {
  return IsWellFormedUtf8(text) ? FromUtf8(text) : Widen(text);
}

}  // namespace rxTheme
