#include "sections/base_section.h"

#include <algorithm>
#include <memory>

#include "persist/class_factory.h"
#include "sections/css_parse.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CThemeBase", [] { return std::make_shared<CThemeBase>(); });

}  // namespace

void CThemeBase::LoadCss(SectionKey, const WString& folder, WString& text,
                         ParseObserver* observer) {
  SheetReader sheet(text, observer);
  WString selector;
  // Inside a block the current object is always a slot's object.
  std::shared_ptr<BaseObjectImpl> current;
  sheet.ForEachLine([&](std::u16string_view line) {
    if (sheet.InBlock()) {
      const bool end = sheet.IsBlockEnd(
          line, BaseObjectImpl::Properties(),
          [&](size_t p, const WString& v) { current->ThemeValue(SettingsKey{}, p, v); });
      if (end) sheet.CloseBlock();
    } else if (IsStyleTagLine(line)) {
      sheet.Report({.kind = ParseEventKind::kStyleTag});
    } else if (line.find(u'{') == std::u16string_view::npos) {
      selector = ClassSelectorName(line);
      sheet.Report({.kind = ParseEventKind::kSelector, .name = selector});
    } else if (const size_t slot = FindSlot(selector); slot != kNoSlot) {
      // The rest of the "{" line is ignored, declarations and "}" included.
      current = At(slot);
      sheet.OpenBlock(selector, SlotKey(slot));
    } else {
      ReadOneLineRule(sheet, line, folder);
    }
  });
}

// A one-line rule: its first word names the object; the rule only sets that
// object's working folder and, for a line that mentions "body", its background
// image. The parser stays outside a block.
void CThemeBase::ReadOneLineRule(SheetReader& sheet, std::u16string_view line,
                                 const WString& folder) {
  const size_t space = line.find(u' ');
  const std::u16string_view word = space == std::u16string_view::npos
                                       ? std::u16string_view()
                                       : TrimmedSpaces(line.substr(0, space + 1));
  const size_t slot = FindSlot(word);
  ParseEvent event{.kind = ParseEventKind::kOneLineRule, .name = word, .slot = SlotKey(slot)};
  WString image;
  if (slot != kNoSlot) {
    BaseObjectImpl& object = *At(slot);
    object.WorkingFolder(SettingsKey{}, folder);
    if (ContainsWordNoCase(line, u"body")) {
      WString unquoted(line);
      std::erase(unquoted, u'\'');
      image = CssUrl(unquoted);
      object.ThemeBackgroundImage(SettingsKey{}, image);
      event.image_set = true;
      event.value = image;
    }
  }
  sheet.Report(event);
}

}  // namespace rxTheme
