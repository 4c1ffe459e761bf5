// CGraphObject: the graphics settings of one style class (base, banner text,
// navigation texts and buttons): 23 pictures and 5 text values, each with a
// theme value per graphics variant (0 normal, 1 active) and a custom value.
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

// The 28 properties, in interface and persistence order:
//   X(Name, kind, style-sheet prefix, value reader)
// A declaration line can start with at most one of the prefixes (each ends at
// its only colon), so the order in which a line is tested does not matter.
#define RX_GRAPH_PROPERTIES(X)                                        \
  X(SeparatorImage, kImage, u"separator-image:", kUrl)                \
  X(ListImage1, kImage, u"list-image-1:", kUrl)                       \
  X(ListImage2, kImage, u"list-image-2:", kUrl)                       \
  X(ListImage3, kImage, u"list-image-3:", kUrl)                       \
  X(NavBannerImage, kImage, u"nav-banner-image:", kUrl)               \
  X(NavButtonHorizNormal, kImage, u"navbutton-horiz-normal:", kUrl)   \
  X(NavButtonHorizHovered, kImage, u"navbutton-horiz-hovered:", kUrl) \
  X(NavButtonHorizPushed, kImage, u"navbutton-horiz-pushed:", kUrl)   \
  X(NavButtonVertNormal, kImage, u"navbutton-vert-normal:", kUrl)     \
  X(NavButtonVertHovered, kImage, u"navbutton-vert-hovered:", kUrl)   \
  X(NavButtonVertPushed, kImage, u"navbutton-vert-pushed:", kUrl)     \
  X(NavButtonHomeNormal, kImage, u"navbutton-home-normal:", kUrl)     \
  X(NavButtonHomeHovered, kImage, u"navbutton-home-hovered:", kUrl)   \
  X(NavButtonHomePushed, kImage, u"navbutton-home-pushed:", kUrl)     \
  X(NavButtonNextNormal, kImage, u"navbutton-next-normal:", kUrl)     \
  X(NavButtonNextHovered, kImage, u"navbutton-next-hovered:", kUrl)   \
  X(NavButtonNextPushed, kImage, u"navbutton-next-pushed:", kUrl)     \
  X(NavButtonPrevNormal, kImage, u"navbutton-prev-normal:", kUrl)     \
  X(NavButtonPrevHovered, kImage, u"navbutton-prev-hovered:", kUrl)   \
  X(NavButtonPrevPushed, kImage, u"navbutton-prev-pushed:", kUrl)     \
  X(NavButtonUpNormal, kImage, u"navbutton-up-normal:", kUrl)         \
  X(NavButtonUpHovered, kImage, u"navbutton-up-hovered:", kUrl)       \
  X(NavButtonUpPushed, kImage, u"navbutton-up-pushed:", kUrl)         \
  X(FontFamily, kText, u"font-family:", kValue)                       \
  X(FontWeight, kText, u"font-weight:", kValue)                       \
  X(Color, kText, u"color:", kColor)                                  \
  X(TextAlign, kText, u"text-align:", kValue)                         \
  X(VerticalAlign, kText, u"vertical-align:", kValue)

class CGraphObject : public IPropertyBagX {
 public:
#define RX_ENUM_ENTRY(Name, kind, prefix, reader) k##Name,
  enum Property : size_t { RX_GRAPH_PROPERTIES(RX_ENUM_ENTRY) kPropertyCount };
#undef RX_ENUM_ENTRY

  // The property table, in Property order.
  static const std::array<PropertyInfo, kPropertyCount>& Properties();

  // Automation interface.
  bool UseThemeSettings() const { return use_theme_settings_; }
  void UseThemeSettings(bool value) { use_theme_settings_ = value; }
  bool UseCustomSettings() const { return use_custom_settings_; }
  void UseCustomSettings(bool value) { use_custom_settings_ = value; }

  // Get: the effective value (custom value when set and custom settings are
  // on, else the theme value of variant Index when theme settings are on, else
  // ""), raising 9 when it needs the theme value and Index is not 0 or 1; an
  // image property then gets WorkingFolder in front when IncludePath is true,
  // even when the value is empty. Let: stores the custom value.
#define RX_ACCESSORS(Name, kind, prefix, reader)                         \
  WString Name() const { return GetStringProperty(k##Name); }            \
  void Name(const WString& value) { SetStringProperty(k##Name, value); } \
  void Theme##Name(SettingsKey key, const WString& value) { ThemeValue(key, k##Name, value); }
  RX_GRAPH_PROPERTIES(RX_ACCESSORS)
#undef RX_ACCESSORS

  // The public string properties by position (all 28, in Property order); a
  // position out of range raises 9.
  static const std::vector<WString>& StringPropertyNames();
  WString GetStringProperty(size_t index) const;
  void SetStringProperty(size_t index, const WString& value);

  // Internal members, for the graphics section only.
  int16_t Index(SettingsKey) const { return index_; }
  void Index(SettingsKey, int16_t value) { index_ = value; }  // no range check
  bool IncludePath(SettingsKey) const { return include_path_; }
  void IncludePath(SettingsKey, bool value) { include_path_ = value; }
  const WString& WorkingFolder(SettingsKey) const { return working_folder_; }
  // Stores the folder with kPathSeparator appended when it does not already
  // end with one ("" becomes the separator alone).
  void WorkingFolder(SettingsKey, const WString& folder);
  // Stores the theme value of `property` in variant Index; raises 9 (storing
  // nothing) when Index is not 0 or 1.
  void ThemeValue(SettingsKey, size_t property, const WString& value);

  // Persistence.
  WString TypeName() const override { return u"CGraphObject"; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  std::array<std::array<WString, 2>, kPropertyCount> theme_;
  std::array<WString, kPropertyCount> custom_;
  bool include_path_ = false;
  WString working_folder_;
  bool use_custom_settings_ = false;
  bool use_theme_settings_ = false;
  int16_t index_ = 0;
};

}  // namespace rxTheme
