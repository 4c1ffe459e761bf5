#include "sections/css_parse.h"

#include "sections/theme_support.h"

namespace rxTheme {

namespace {

void DropPrefix(std::u16string_view& text, std::u16string_view prefix) {
  if (text.starts_with(prefix)) text.remove_prefix(prefix.size());
}

}  // namespace

bool IsStyleTagLine(std::u16string_view line) {
  return ContainsNoCase(line, u"<style>") || ContainsNoCase(line, u"</style>");
}

WString ClassSelectorName(std::u16string_view line) {
  const WString trimmed = TrimSpaces(line);
  std::u16string_view name = trimmed;
  DropPrefix(name, u"a:");
  DropPrefix(name, u".mstheme");
  DropPrefix(name, u"a:");
  DropPrefix(name, u"-");
  return name.empty() ? WString(u"Base") : WString(name);
}

WString ReadDeclarationValue(ValueReader reader, const WString& line) {
  switch (reader) {
    case ValueReader::kUrl:
      return CssUrl(line);
    case ValueReader::kValue:
      return CssValue(line).ToString();
    case ValueReader::kColor:
      return CssColor(line);
  }
  return {};
}

}  // namespace rxTheme
