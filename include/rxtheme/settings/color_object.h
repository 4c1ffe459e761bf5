// CColorObject: the colors of one color style (a link state, the body, tables,
// a heading). Each color has a theme value per color variant (0 normal, 1
// vivid) and a custom value set by the host; two flags decide which one a get
// returns.
#pragma once

#include <cstddef>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class RXTHEME_API CColorObject : public IPropertyBagX {
 public:
  // Each color as "#RRGGBB" (or as the host set it). Get: the custom value
  // when it is set and UseCustomSettings is on, else the theme value of the
  // theme's color variant when UseThemeSettings is on (raising 9 when that
  // variant is not 0 or 1), else "". Set: stores the custom value.
  WString Color() const;
  void Color(const WString& value);
  WString BackgroundColor() const;
  void BackgroundColor(const WString& value);
  WString TableBorderColorLight() const;
  void TableBorderColorLight(const WString& value);
  WString TableBorderColorDark() const;
  void TableBorderColorDark(const WString& value);

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
  CColorObject() = default;
};

}  // namespace rxTheme
