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
  return ContainsWordNoCase(line, u"<style>") || ContainsWordNoCase(line, u"</style>");
}

WString ClassSelectorName(std::u16string_view line) {
  std::u16string_view name = TrimmedSpaces(line);
  DropPrefix(name, u"a:");
  DropPrefix(name, u".mstheme");
  DropPrefix(name, u"a:");
  DropPrefix(name, u"-");
  return name.empty() ? WString(u"Base") : WString(name);
}

size_t MatchDeclaration(std::u16string_view line, std::span<const PropertyInfo> table) {
  const size_t colon = line.find(u':');
  if (colon == std::u16string_view::npos) return kNoDeclaration;
  const std::u16string_view head = line.substr(0, colon + 1);
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].prefix.size() == head.size() && EqualsWordNoCase(head, table[i].prefix)) return i;
  }
  return kNoDeclaration;
}

void ReadDeclarationValue(ValueReader reader, std::u16string_view line, WString& value) {
  switch (reader) {
    case ValueReader::kUrl:
      value.assign(CssUrlText(line));
      return;
    case ValueReader::kValue:
      value.assign(CssValueText(line));
      return;
    case ValueReader::kColor:
      value = CssColor(line);
      return;
  }
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
