// CGraphObject: the graphics settings of one style class (base, banner text,
// navigation texts and buttons): 23 pictures and 5 text values, each with a
// theme value per graphics variant (0 normal, 1 active) and a custom value.
#pragma once

#include <cstddef>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class RXTHEME_API CGraphObject : public IPropertyBagX {
 public:
  // Get: the custom value when it is set and UseCustomSettings is on, else the
  // theme value of the theme's graphics variant when UseThemeSettings is on
  // (raising 9 when that variant is not 0 or 1), else "". A picture (every
  // property before FontFamily) comes with the working folder in front when
  // the theme's IncludePath is on. Set: stores the custom value.
  WString SeparatorImage() const;
  void SeparatorImage(const WString& value);
  WString ListImage1() const;
  void ListImage1(const WString& value);
  WString ListImage2() const;
  void ListImage2(const WString& value);
  WString ListImage3() const;
  void ListImage3(const WString& value);
  WString NavBannerImage() const;
  void NavBannerImage(const WString& value);
  WString NavButtonHorizNormal() const;
  void NavButtonHorizNormal(const WString& value);
  WString NavButtonHorizHovered() const;
  void NavButtonHorizHovered(const WString& value);
  WString NavButtonHorizPushed() const;
  void NavButtonHorizPushed(const WString& value);
  WString NavButtonVertNormal() const;
  void NavButtonVertNormal(const WString& value);
  WString NavButtonVertHovered() const;
  void NavButtonVertHovered(const WString& value);
  WString NavButtonVertPushed() const;
  void NavButtonVertPushed(const WString& value);
  WString NavButtonHomeNormal() const;
  void NavButtonHomeNormal(const WString& value);
  WString NavButtonHomeHovered() const;
  void NavButtonHomeHovered(const WString& value);
  WString NavButtonHomePushed() const;
  void NavButtonHomePushed(const WString& value);
  WString NavButtonNextNormal() const;
  void NavButtonNextNormal(const WString& value);
  WString NavButtonNextHovered() const;
  void NavButtonNextHovered(const WString& value);
  WString NavButtonNextPushed() const;
  void NavButtonNextPushed(const WString& value);
  WString NavButtonPrevNormal() const;
  void NavButtonPrevNormal(const WString& value);
  WString NavButtonPrevHovered() const;
  void NavButtonPrevHovered(const WString& value);
  WString NavButtonPrevPushed() const;
  void NavButtonPrevPushed(const WString& value);
  WString NavButtonUpNormal() const;
  void NavButtonUpNormal(const WString& value);
  WString NavButtonUpHovered() const;
  void NavButtonUpHovered(const WString& value);
  WString NavButtonUpPushed() const;
  void NavButtonUpPushed(const WString& value);
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
  CGraphObject() = default;
};

}  // namespace rxTheme
