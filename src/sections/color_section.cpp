#include "sections/color_section.h"

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "sections/css_parse.h"
#include "sections/theme_support.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CColor", [] { return std::make_shared<CColor>(); });

}  // namespace

const std::array<SlotInfo, CColor::kSlotCount>& CColor::Slots() {
  static const std::array<SlotInfo, kSlotCount> kSlots = {{
      {u"Link", u"link", nullptr},
      {u"Visited", u"visited", nullptr},
      {u"Active", u"active", nullptr},
      {u"Body", u"body", nullptr},
      {u"Table", u"table", nullptr},
      {u"H1", u"h1", nullptr},
      {u"H2", u"h2", nullptr},
      {u"H3", u"h3", nullptr},
      {u"H4", u"h4", nullptr},
      {u"H5", u"h5", nullptr},
      {u"H6", u"h6", nullptr},
  }};
  return kSlots;
}

CColor::CColor() : slots_(Slots()) {}

const std::vector<WString>& CColor::StyleNames() {
  static const std::vector<WString> kNames =
      SectionSlots<CColorObject, kSlotCount>::StyleNames(Slots());
  return kNames;
}

void CColor::UseThemeSettings(SectionKey, bool value) {
  slots_.ForEach([&](CColorObject& object) { object.UseThemeSettings(value); });
}

void CColor::UseCustomSettings(SectionKey, bool value) {
  slots_.ForEach([&](CColorObject& object) { object.UseCustomSettings(value); });
}

void CColor::Index(SectionKey, int16_t value) { SetIndex(value); }

void CColor::SetIndex(int16_t value) {
  index_ = value;
  slots_.ForEach([&](CColorObject& object) { object.Index(SettingsKey{}, value); });
}

std::shared_ptr<CColorObject> CColor::Item(SectionKey, const WString& name) {
  return slots_.Find(name);
}

void CColor::LoadCss(SectionKey, const WString& /*folder*/, WString& text, int16_t variant_index) {
  const int16_t remembered_index = index_;
  SetIndex(variant_index);

  WString selector;
  std::shared_ptr<CColorObject> current;
  bool in_block = false;
  while (!text.empty()) {
    const WString line = NextLine(text);
    if (in_block) {
      if (TrimSpaces(line) == u"}") {
        in_block = false;
        continue;
      }
      const size_t property = MatchDeclaration(line, CColorObject::Properties());
      if (property == kNoDeclaration) continue;
      const WString value = ReadDeclarationValue(CColorObject::Properties()[property].reader, line);
      // A block of a selector that names no slot stores into an object of its
      // own, which serves variant 0 and is dropped with the block.
      if (!current) current = std::make_shared<CColorObject>();
      current->ThemeValue(SettingsKey{}, property, value);
    } else if (IsStyleTagLine(line)) {
      continue;
    } else {
      WString trimmed = TrimSpaces(line);
      if (trimmed == u"{") {
        current = slots_.Find(selector);
        in_block = true;
      } else {
        if (trimmed.starts_with(u"a:")) trimmed.erase(0, 2);
        selector = std::move(trimmed);
      }
    }
  }
  index_ = remembered_index;
}

WString CColor::ClassName() const { return WString(kLibraryName) + u".CColor"; }

void CColor::WriteProperties(PropertyBagX& bag) {
  bag.WriteProperty(u"Index", Variant::I2(index_), Variant::I2(0));
  slots_.Write(bag);
}

void CColor::ReadProperties(PropertyBagX& bag) {
  index_ = bag.ReadProperty(u"Index", Variant::I2(0)).ToI2();
  slots_.Read(bag);
}

}  // namespace rxTheme
