#include "settings/base_object.h"

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "settings/settings_util.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CThemeBaseObject",
                                      [] { return std::make_shared<CThemeBaseObject>(); });

// The field positions of the public string properties, in order.
const std::vector<size_t>& PublicFields() {
  static const std::vector<size_t> kFields = [] {
    std::vector<size_t> fields;
    const auto& table = CThemeBaseObject::Properties();
    for (size_t i = 0; i < table.size(); ++i) {
      if (table[i].kind != PropertyKind::kInternal) fields.push_back(i);
    }
    return fields;
  }();
  return kFields;
}

size_t PublicField(size_t index) {
  if (index >= PublicFields().size()) RaiseNoSuchProperty();
  return PublicFields()[index];
}

}  // namespace

const std::array<PropertyInfo, CThemeBaseObject::kPropertyCount>& CThemeBaseObject::Properties() {
#define RX_ROW(Name, kind, prefix, reader) \
  PropertyInfo{u"" #Name, PropertyKind::kind, prefix, ValueReader::reader},
  static const std::array<PropertyInfo, kPropertyCount> kTable = {
      RX_BASE_PROPERTIES(RX_ROW, RX_ROW)};
#undef RX_ROW
  return kTable;
}

const std::vector<WString>& CThemeBaseObject::StringPropertyNames() {
  static const std::vector<WString> kNames = [] {
    std::vector<WString> names;
    for (size_t field : PublicFields()) names.emplace_back(Properties()[field].name);
    return names;
  }();
  return kNames;
}

WString CThemeBaseObject::GetStringProperty(size_t index) const {
  return Effective(PublicField(index));
}

void CThemeBaseObject::SetStringProperty(size_t index, const WString& value) {
  custom_[PublicField(index)] = value;
}

WString CThemeBaseObject::Effective(size_t property) const {
  WString value = EffectiveValue(custom_[property], use_custom_settings_, use_theme_settings_,
                                 [&] { return theme_[property]; });
  if (include_path_ && Properties()[property].kind == PropertyKind::kImage) {
    value.insert(0, working_folder_);
  }
  return value;
}

void CThemeBaseObject::WorkingFolder(SettingsKey, const WString& folder) {
  working_folder_ = WithTrailingSeparator(folder);
}

void CThemeBaseObject::ThemeValue(SettingsKey, size_t property, const WString& value) {
  theme_.at(property) = value;
}

WString CThemeBaseObject::ClassName() const { return WString(kLibraryName) + u".CThemeBaseObject"; }

void CThemeBaseObject::WriteProperties(PropertyBagX& bag) {
  WriteFlag(bag, u"UseCustomSettings", use_custom_settings_, false);
  WriteFlag(bag, u"UseThemeSettings", use_theme_settings_, true);
  for (size_t i = 0; i < kPropertyCount; ++i) WriteString(bag, Properties()[i].name, theme_[i]);
  for (size_t i = 0; i < kPropertyCount; ++i) {
    WriteString(bag, u"C" + WString(Properties()[i].name), custom_[i]);
  }
  WriteFlag(bag, u"IncludePath", include_path_, false);
  WriteString(bag, u"WorkingFolder", working_folder_);
}

void CThemeBaseObject::ReadProperties(PropertyBagX& bag) {
  use_custom_settings_ = ReadFlag(bag, u"UseCustomSettings", false);
  use_theme_settings_ = ReadFlag(bag, u"UseThemeSettings", true);
  for (size_t i = 0; i < kPropertyCount; ++i) theme_[i] = ReadString(bag, Properties()[i].name);
  for (size_t i = 0; i < kPropertyCount; ++i) {
    custom_[i] = ReadString(bag, u"C" + WString(Properties()[i].name));
  }
  include_path_ = ReadFlag(bag, u"IncludePath", false);
  working_folder_ = ReadString(bag, u"WorkingFolder");
}

}  // namespace rxTheme
