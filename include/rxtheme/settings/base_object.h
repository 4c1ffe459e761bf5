// CThemeBaseObject: the base text styles of one style name (the theme-wide
// base, the top bar, the body, a heading): picture references, font, color and
// alignment. One theme value per property (no variants) and one custom value.
#pragma once

#include <cstddef>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class RXTHEME_API CThemeBaseObject : public IPropertyBagX {
 public:
  // Get: the custom value when it is set and UseCustomSettings is on, else the
  // theme value when UseThemeSettings is on, else "". A picture (TopBarButton,
  // BackgroundImage) comes with the working folder in front when the theme's
  // IncludePath is on. Set: stores the custom value. Nothing here fails.
  WString TopBarButton() const;
  void TopBarButton(const WString& value);
  WString NavButtonBackgroundColor() const;
  void NavButtonBackgroundColor(const WString& value);
  WString BackgroundImage() const;
  void BackgroundImage(const WString& value);
  WString FontFamily() const;
  void FontFamily(const WString& value);
  WString FontWeight() const;
  void FontWeight(const WString& value);
  WString Color() const;
  void Color(const WString& value);
  WString TextAlign() const;
  void TextAlign(const WString& value);
  WString VerticalAlign() const;
  void VerticalAlign(const WString& value);

  // The two switches: whether gets return the theme's values, and whether a
  // custom value set here wins over them.
  bool UseThemeSettings() const;
  void UseThemeSettings(bool value);
  bool UseCustomSettings() const;
  void UseCustomSettings(bool value);

  // The public string properties by position (in the order declared above),
  // for front ends that list or set them by name. A position out of range
  // raises 9.
  static const std::vector<WString>& StringPropertyNames();
  // The value that the get of the property at `position` returns.
  WString GetStringProperty(size_t position) const;
  // Stores the custom value of the property at `position`.
  void SetStringProperty(size_t position, const WString& value);

 protected:
  // Settings objects are made by the component: a theme hands them out, and a
  // restore re-creates them by class name.
  CThemeBaseObject() = default;
};

}  // namespace rxTheme
