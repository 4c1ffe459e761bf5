#include "sections/graph_section.h"

#include <memory>

#include "persist/class_factory.h"
#include "sections/css_parse.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CGraph", [] { return std::make_shared<CGraph>(); });

}  // namespace

void CGraph::LoadCss(SectionKey, const WString& folder, WString& text, int16_t variant_index,
                     ParseObserver* observer) {
  const int16_t remembered_index = index_;
  SetIndex(variant_index);

  SheetReader sheet(text, observer);
  WString selector;
  std::shared_ptr<GraphObjectImpl> target;
  // A rule whose selector names no slot works on an object of its own, which
  // serves variant 0 and is dropped with the rule.
  const auto need_target = [&]() -> GraphObjectImpl& {
    if (!target) target = std::make_shared<GraphObjectImpl>();
    return *target;
  };
  sheet.ForEachLine([&](std::u16string_view line) {
    if (sheet.InBlock()) {
      const bool end = sheet.IsBlockEnd(
          line, GraphObjectImpl::Properties(),
          [&](size_t p, const WString& v) { need_target().ThemeValue(SettingsKey{}, p, v); });
      if (!end) return;
      need_target().WorkingFolder(SettingsKey{}, folder);
      sheet.CloseBlock();
    } else if (IsStyleTagLine(line)) {
      sheet.Report({.kind = ParseEventKind::kStyleTag});
    } else if (TrimmedSpaces(line) == u"{") {
      const size_t slot = FindSlot(selector);
      target = slot == kNoSlot ? nullptr : At(slot);
      sheet.OpenBlock(selector, SlotKey(slot));
    } else {
      selector = ClassSelectorName(line);
      sheet.Report({.kind = ParseEventKind::kSelector, .name = selector});
    }
  });
  index_ = remembered_index;
}

}  // namespace rxTheme
