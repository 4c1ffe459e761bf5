// CThemeBaseObject: the base text styles of one style name (the theme-wide
// base, the top bar, the body, a heading): picture references, font, color and
// alignment. One theme value per property (no variants) and one custom value.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "persist/persistable.h"
#include "runtime/wstring.h"
#include "settings/property_info.h"
#include "settings/settings_key.h"

namespace rxTheme {

// The nine fields, in persistence order, which is also the order in which the
// base section tests a declaration line:
//   X(Name, kind, style-sheet prefix, value reader)
// The public properties go through X; Version, parsed and saved but reached by
// no get or let, goes through XI.
#define RX_BASE_PROPERTIES(X, XI)                                          \
  X(TopBarButton, kImage, u"top-bar-button:", kUrl)                        \
  XI(Version, kInternal, u"version:", kUrl)                                \
  X(NavButtonBackgroundColor, kText, u"navbutton-background-color:", kUrl) \
  X(BackgroundImage, kImage, u"background-image:", kUrl)                   \
  X(FontFamily, kText, u"font-family:", kValue)                            \
  X(FontWeight, kText, u"font-weight:", kValue)                            \
  X(Color, kText, u"color:", kColor)                                       \
  X(TextAlign, kText, u"text-align:", kValue)                              \
  X(VerticalAlign, kText, u"vertical-align:", kValue)

class CThemeBaseObject : public IPropertyBagX {
 public:
#define RX_ENUM_ENTRY(Name, kind, prefix, reader) k##Name,
  enum Property : size_t { RX_BASE_PROPERTIES(RX_ENUM_ENTRY, RX_ENUM_ENTRY) kPropertyCount };
#undef RX_ENUM_ENTRY

  // The field table, in Property order.
  static const std::array<PropertyInfo, kPropertyCount>& Properties();

  // Automation interface.
  bool UseThemeSettings() const { return use_theme_settings_; }
  void UseThemeSettings(bool value) { use_theme_settings_ = value; }
  bool UseCustomSettings() const { return use_custom_settings_; }
  void UseCustomSettings(bool value) { use_custom_settings_ = value; }

  // Get: the effective value (custom value when set and custom settings are
  // on, else the theme value when theme settings are on, else ""); the two
  // image properties then get WorkingFolder in front when IncludePath is true.
  // Let: stores the custom value. Nothing here fails.
#define RX_ACCESSORS(Name, kind, prefix, reader)      \
  WString Name() const { return Effective(k##Name); } \
  void Name(const WString& value) { custom_[k##Name] = value; }
#define RX_NO_ACCESSORS(Name, kind, prefix, reader)
  RX_BASE_PROPERTIES(RX_ACCESSORS, RX_NO_ACCESSORS)
#undef RX_ACCESSORS

  // The eight public string properties by position (the fields without
  // Version, in Property order); a position out of range raises 9.
  static const std::vector<WString>& StringPropertyNames();
  WString GetStringProperty(size_t index) const;
  void SetStringProperty(size_t index, const WString& value);

  // Internal members, for the base section only.
  bool IncludePath(SettingsKey) const { return include_path_; }
  void IncludePath(SettingsKey, bool value) { include_path_ = value; }
  const WString& WorkingFolder(SettingsKey) const { return working_folder_; }
  // Stores the folder with kPathSeparator appended when it does not already
  // end with one ("" becomes the separator alone).
  void WorkingFolder(SettingsKey, const WString& folder);
  // Stores the theme value of field `property` unchanged.
  void ThemeValue(SettingsKey, size_t property, const WString& value);
#define RX_THEME_SETTER(Name, kind, prefix, reader) \
  void Theme##Name(SettingsKey key, const WString& value) { ThemeValue(key, k##Name, value); }
  RX_BASE_PROPERTIES(RX_THEME_SETTER, RX_THEME_SETTER)
#undef RX_THEME_SETTER
#undef RX_NO_ACCESSORS

  // Persistence.
  WString TypeName() const override { return u"CThemeBaseObject"; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  WString Effective(size_t property) const;

  std::array<WString, kPropertyCount> theme_;
  std::array<WString, kPropertyCount> custom_;
  bool include_path_ = false;
  WString working_folder_;
  bool use_custom_settings_ = false;
  bool use_theme_settings_ = false;
};

}  // namespace rxTheme
