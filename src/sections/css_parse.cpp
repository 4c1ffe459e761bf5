#include "sections/css_parse.h"

namespace rxTheme {

namespace {

void DropPrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (text.starts_with(prefix)) text.remove_prefix(prefix.size());
}

}  // namespace

std::u16string_view TrimmedSpaces(std::u16string_view line) {
  while (!line.empty() && line.front() == u' ') line.remove_prefix(1);
  while (!line.empty() && line.back() == u' ') line.remove_suffix(1);
  return line;
}

bool IsStyleTagLine(std::u16string_view line) {
  return ContainsNoCase(line, u"<style>") || ContainsNoCase(line, u"</style>");
}

WString ClassSelectorName(std::u16string_view line) {
  std::u16string_view name = TrimmedSpaces(line);
  DropPrefix(name, u"a:");
  DropPrefix(name, u".mstheme");
  DropPrefix(name, u"a:");
  DropPrefix(name, u"-");
  return name.empty() ? WString(u"Base") : WString(name);
}

WString ReadDeclarationValue(ValueReader reader, std::u16string_view line) {
  switch (reader) {
    case ValueReader::kUrl:
      return CssUrl(line);
    case ValueReader::kValue:
      return WString(CssValueText(line));
    case ValueReader::kColor:
      return CssColor(line);
  }
  return {};
}

void SheetReader::OpenBlock(std::u16string_view selector, const char16_t* slot) {
  in_block_ = true;
  block_slot_ = slot;
  block_number_ = number_;
  block_line_ = line_;
  Report({.kind = ParseEventKind::kBlockOpened, .name = selector, .slot = slot});
}

void SheetReader::CloseBlock() {
  in_block_ = false;
  Report({.kind = ParseEventKind::kBlockClosed, .slot = block_slot_});
}

}  // namespace rxTheme
