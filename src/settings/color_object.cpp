#include "settings/color_object.h"

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "settings/settings_util.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CColorObject",
                                      [] { return std::make_shared<CColorObject>(); });

}  // namespace

const std::array<PropertyInfo, CColorObject::kPropertyCount>& CColorObject::Properties() {
#define RX_ROW(Name, kind, prefix, reader) \
  PropertyInfo{u"" #Name, PropertyKind::kind, prefix, ValueReader::reader},
  static const std::array<PropertyInfo, kPropertyCount> kTable = {RX_COLOR_PROPERTIES(RX_ROW)};
#undef RX_ROW
  return kTable;
}

const std::vector<WString>& CColorObject::StringPropertyNames() {
  static const std::vector<WString> kNames = [] {
    std::vector<WString> names;
    for (const PropertyInfo& info : Properties()) names.emplace_back(info.name);
    return names;
  }();
  return kNames;
}

WString CColorObject::GetStringProperty(size_t index) const {
  if (index >= kPropertyCount) RaiseNoSuchProperty();
  return EffectiveValue(custom_[index], use_custom_settings_, use_theme_settings_,
                        [&] { return theme_[index][VariantSlot(index_)]; });
}

void CColorObject::SetStringProperty(size_t index, const WString& value) {
  if (index >= kPropertyCount) RaiseNoSuchProperty();
  custom_[index] = value;
}

void CColorObject::ThemeValue(SettingsKey, size_t property, const WString& value) {
  theme_.at(property)[VariantSlot(index_)] = value;
}

WString CColorObject::ClassName() const { return WString(kLibraryName) + u".CColorObject"; }

void CColorObject::WriteProperties(PropertyBagX& bag) {
  WriteIndex(bag, index_);
  WriteFlag(bag, u"UseCustomSettings", use_custom_settings_, false);
  WriteFlag(bag, u"UseThemeSettings", use_theme_settings_, false);
  for (size_t variant = 0; variant < 2; ++variant) {
    const WString suffix = variant == 0 ? u"(0)" : u"(1)";
    for (size_t i = 0; i < kPropertyCount; ++i) {
      WriteString(bag, Properties()[i].name + suffix, theme_[i][variant]);
    }
  }
  for (size_t i = 0; i < kPropertyCount; ++i) {
    WriteString(bag, u"C" + WString(Properties()[i].name), custom_[i]);
  }
}

void CColorObject::ReadProperties(PropertyBagX& bag) {
  index_ = ReadIndex(bag);
  use_custom_settings_ = ReadFlag(bag, u"UseCustomSettings", false);
  use_theme_settings_ = ReadFlag(bag, u"UseThemeSettings", false);
  for (size_t variant = 0; variant < 2; ++variant) {
    const WString suffix = variant == 0 ? u"(0)" : u"(1)";
    for (size_t i = 0; i < kPropertyCount; ++i) {
      theme_[i][variant] = ReadString(bag, Properties()[i].name + suffix);
    }
  }
  for (size_t i = 0; i < kPropertyCount; ++i) {
    custom_[i] = ReadString(bag, u"C" + WString(Properties()[i].name));
  }
}

}  // namespace rxTheme
