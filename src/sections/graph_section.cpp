#include "sections/graph_section.h"

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "sections/css_parse.h"
#include "sections/theme_support.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CGraph", [] { return std::make_shared<CGraph>(); });

}  // namespace

const std::array<SlotInfo, CGraph::kSlotCount>& CGraph::Slots() {
  static const std::array<SlotInfo, kSlotCount> kSlots = {{
      {u"Base", u"base", nullptr},
      {u"BannerTxt", u"bannertxt", nullptr},
      {u"HorizNavTxt", u"horiznavtxt", u"horiz-navtxt"},
      {u"VertNavTxt", u"vertnavtxt", u"vert-navtxt"},
      {u"NavTxtHome", u"navtxthome", nullptr},
      {u"NavTxtNext", u"navtxtnext", nullptr},
      {u"NavTxtPrev", u"navtxtprev", nullptr},
      {u"NavTxtUp", u"navtxtup", nullptr},
  }};
  return kSlots;
}

CGraph::CGraph() : slots_(Slots()) {}

const std::vector<WString>& CGraph::StyleNames() {
  static const std::vector<WString> kNames =
      SectionSlots<CGraphObject, kSlotCount>::StyleNames(Slots());
  return kNames;
}

void CGraph::UseThemeSettings(SectionKey, bool value) {
  slots_.ForEach([&](CGraphObject& object) { object.UseThemeSettings(value); });
}

void CGraph::UseCustomSettings(SectionKey, bool value) {
  slots_.ForEach([&](CGraphObject& object) { object.UseCustomSettings(value); });
}

void CGraph::IncludePath(SectionKey, bool value) {
  slots_.ForEach([&](CGraphObject& object) { object.IncludePath(SettingsKey{}, value); });
}

void CGraph::Index(SectionKey, int16_t value) { SetIndex(value); }

void CGraph::SetIndex(int16_t value) {
  index_ = value;
  slots_.ForEach([&](CGraphObject& object) { object.Index(SettingsKey{}, value); });
}

std::shared_ptr<CGraphObject> CGraph::Item(SectionKey, const WString& name) {
  return slots_.Find(name);
}

void CGraph::LoadCss(SectionKey, const WString& folder, WString& text, int16_t variant_index) {
  const int16_t remembered_index = index_;
  SetIndex(variant_index);

  WString selector;
  std::shared_ptr<CGraphObject> target;
  bool in_rule = false;
  // A rule whose selector names no slot works on an object of its own, which
  // serves variant 0 and is dropped with the rule.
  const auto need_target = [&]() -> CGraphObject& {
    if (!target) target = std::make_shared<CGraphObject>();
    return *target;
  };
  while (!text.empty()) {
    const WString line = NextLine(text);
    if (in_rule) {
      if (TrimSpaces(line) == u"}") {
        need_target().WorkingFolder(SettingsKey{}, folder);
        in_rule = false;
        continue;
      }
      const size_t property = MatchDeclaration(line, CGraphObject::Properties());
      if (property == kNoDeclaration) continue;
      const WString value = ReadDeclarationValue(CGraphObject::Properties()[property].reader, line);
      need_target().ThemeValue(SettingsKey{}, property, value);
    } else if (IsStyleTagLine(line)) {
      continue;
    } else if (TrimSpaces(line) == u"{") {
      target = slots_.Find(selector);
      in_rule = true;
    } else {
      selector = ClassSelectorName(line);
    }
  }
  index_ = remembered_index;
}

WString CGraph::ClassName() const { return WString(kLibraryName) + u".CGraph"; }

void CGraph::WriteProperties(PropertyBagX& bag) {
  bag.WriteProperty(u"Index", Variant::I2(index_), Variant::I2(0));
  slots_.Write(bag);
}

void CGraph::ReadProperties(PropertyBagX& bag) {
  index_ = bag.ReadProperty(u"Index", Variant::I2(0)).ToI2();
  slots_.Read(bag);
}

}  // namespace rxTheme
