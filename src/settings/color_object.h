// CColorObject: the colors of one color style (a link state, the body, tables,
// a heading). Each color has a theme value per color variant (0 normal, 1
// vivid) and a custom value set by the host; two flags decide which one a get
// returns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "persist/persistable.h"
#include "runtime/wstring.h"
#include "settings/property_info.h"
#include "settings/settings_key.h"

namespace rxTheme {

// The four colors, in interface and persistence order:
//   X(Name, kind, style-sheet prefix, value reader)
#define RX_COLOR_PROPERTIES(X)                                          \
  X(Color, kText, u"color:", kColor)                                    \
  X(BackgroundColor, kText, u"background-color:", kColor)               \
  X(TableBorderColorLight, kText, u"table-border-color-light:", kColor) \
  X(TableBorderColorDark, kText, u"table-border-color-dark:", kColor)

class CColorObject : public IPropertyBagX {
 public:
#define RX_ENUM_ENTRY(Name, kind, prefix, reader) k##Name,
  enum Property : size_t { RX_COLOR_PROPERTIES(RX_ENUM_ENTRY) kPropertyCount };
#undef RX_ENUM_ENTRY

  // The property table, in Property order.
  static const std::array<PropertyInfo, kPropertyCount>& Properties();

  // Automation interface.
  bool UseThemeSettings() const { return use_theme_settings_; }
  void UseThemeSettings(bool value) { use_theme_settings_ = value; }
  bool UseCustomSettings() const { return use_custom_settings_; }
  void UseCustomSettings(bool value) { use_custom_settings_ = value; }

  // Get: the effective value (the custom value when it is set and custom
  // settings are on, else the theme value of variant Index when theme settings
  // are on, else ""); raises 9 when it needs the theme value and Index is not
  // 0 or 1. Let: stores the custom value.
#define RX_ACCESSORS(Name, kind, prefix, reader)                         \
  WString Name() const { return GetStringProperty(k##Name); }            \
  void Name(const WString& value) { SetStringProperty(k##Name, value); } \
  void Theme##Name(SettingsKey key, const WString& value) { ThemeValue(key, k##Name, value); }
  RX_COLOR_PROPERTIES(RX_ACCESSORS)
#undef RX_ACCESSORS

  // The public string properties by position, for front ends that list or set
  // them by name. Positions run as in StringPropertyNames(); a position out of
  // range raises 9.
  static const std::vector<WString>& StringPropertyNames();
  WString GetStringProperty(size_t index) const;
  void SetStringProperty(size_t index, const WString& value);

  // Internal members, for the color section only.
  int16_t Index(SettingsKey) const { return index_; }
  void Index(SettingsKey, int16_t value) { index_ = value; }  // no range check
  // Stores the theme value of property `property` in variant Index; raises 9
  // (storing nothing) when Index is not 0 or 1.
  void ThemeValue(SettingsKey, size_t property, const WString& value);

  // Persistence.
  WString TypeName() const override { return u"CColorObject"; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  std::array<std::array<WString, 2>, kPropertyCount> theme_;
  std::array<WString, kPropertyCount> custom_;
  int16_t index_ = 0;
  bool use_custom_settings_ = false;
  bool use_theme_settings_ = false;
};

}  // namespace rxTheme
