#include "sections/color_section.h"

#include <memory>

#include "persist/class_factory.h"
#include "sections/css_parse.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CColor", [] { return std::make_shared<CColor>(); });

}  // namespace

void CColor::LoadCss(SectionKey, const WString& /*folder*/, WString& text, int16_t variant_index,
                     ParseObserver* observer) {
  const int16_t remembered_index = index_;
  SetIndex(variant_index);

  SheetReader sheet(text, observer);
  WString selector;
  std::shared_ptr<ColorObjectImpl> current;
  sheet.ForEachLine([&](std::u16string_view line) {
    if (sheet.InBlock()) {
      const bool end =
          sheet.IsBlockEnd(line, ColorObjectImpl::Properties(), [&](size_t p, const WString& v) {
            // A block of a selector that names no slot stores into an object of
            // its own, which serves variant 0 and is dropped with the block.
            if (!current) current = std::make_shared<ColorObjectImpl>();
            current->ThemeValue(SettingsKey{}, p, v);
          });
      if (end) sheet.CloseBlock();
    } else if (IsStyleTagLine(line)) {
      sheet.Report({.kind = ParseEventKind::kStyleTag});
    } else if (const std::u16string_view trimmed = TrimmedSpaces(line); trimmed == u"{") {
      const size_t slot = FindSlot(selector);
      current = slot == kNoSlot ? nullptr : At(slot);
      sheet.OpenBlock(selector, SlotKey(slot));
    } else {
      // Only the link states are written with a prefix, always in lower case.
      selector = trimmed.starts_with(u"a:") ? trimmed.substr(2) : trimmed;
      sheet.Report({.kind = ParseEventKind::kSelector, .name = selector});
    }
  });
  index_ = remembered_index;
}

}  // namespace rxTheme
