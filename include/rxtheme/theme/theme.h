// The theme object: the component's entry class. One CTheme stands for the
// theme of one page: it owns the base, color and graphics sections of the
// loaded theme, hands their settings objects to the host by style name, holds
// the page's switches and folders, loads theme packages and saves and restores
// its whole state through a PropertyBagX.
#pragma once

#include <cstdint>
#include <memory>

#include <rxtheme/export.h>
#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class CColor;
class CGraph;
class CThemeBase;
class CColorObject;
class CGraphObject;
class CThemeBaseObject;
class PropertyBagX;
class SectionKey;
class ThemeLoader;

class RXTHEME_API CTheme : public IPropertyBagX {
 public:
  // Creates the base, color and graphics sections, in that order, then sets
  // UseThemeSettings to true through its setter, so that every settings object
  // of the three sections exists and uses the theme's values.
  CTheme();
  ~CTheme() override;
  CTheme(const CTheme&) = delete;
  CTheme& operator=(const CTheme&) = delete;

  WString TypeName() const override { return u"CTheme"; }
  // "rxTheme.CTheme".
  WString ClassName() const override;

  // Sets the component-wide help file that the picker's Help button opens
  // (read back with ComponentHelpFile() of theme/component.h). No getter.
  void HelpFile(const WString& help_file);

  const WString& CurrentThemeName() const { return current_theme_name_; }
  void CurrentThemeName(const WString& value) { current_theme_name_ = value; }
  const WString& CurrentThemeFile() const { return current_theme_file_; }
  void CurrentThemeFile(const WString& value) { current_theme_file_ = value; }

  // Set: stores, then passes the flag to the base and graphics sections (in
  // that order; not to the color section).
  bool IncludePath() const { return include_path_; }
  void IncludePath(bool value);
  // Set: stores, then passes the flag to the base, color and graphics
  // sections, in that order.
  bool UseThemeSettings() const { return use_theme_settings_; }
  void UseThemeSettings(bool value);
  bool UseCustomSettings() const { return use_custom_settings_; }
  void UseCustomSettings(bool value);

  bool UseBackgroundImage() const { return use_background_image_; }
  void UseBackgroundImage(bool value) { use_background_image_ = value; }
  // The folder Load unpacks pictures into; the sections put it in front of
  // picture names.
  const WString& WorkingFolder() const { return working_folder_; }
  void WorkingFolder(const WString& value) { working_folder_ = value; }
  const WString& ThemesFolder() const { return themes_folder_; }
  void ThemesFolder(const WString& value) { themes_folder_ = value; }
  // The version text of the last loaded (or restored) package. Not an
  // automation property: hosts see it only in saved state; front ends read it.
  const WString& Version() const { return version_; }

  // The variant (0 normal, 1 vivid/active) of the color and graphics sections.
  // Any 16-bit value is accepted; reading a theme value with a value other
  // than 0 or 1 fails with error 9.
  int16_t ColorIndex() const;
  void ColorIndex(int16_t value);
  int16_t GraphIndex() const;
  void GraphIndex(int16_t value);

  // The section's own settings object for a style name (any letter case), or
  // null for a name the section does not list.
  std::shared_ptr<CColorObject> Color(const WString& name) const;
  std::shared_ptr<CGraphObject> Graph(const WString& name) const;
  std::shared_ptr<CThemeBaseObject> Base(const WString& name) const;

  // Does nothing; returns Empty.
  Variant ClearTheme();

  // Loads a theme package: stores its version text, unpacks its pictures into
  // WorkingFolder (which becomes the process's current directory) and hands
  // its style sheets to the sections. Returns 0; failures raise.
  int32_t Load(const WString& file);

  // Opens the theme picker on `parent` through the handler that the picker
  // layer installs (theme/component.h); raises 429 when none is installed.
  int32_t SelectTheme(const std::shared_ptr<CTheme>& parent);

  // Persistence: the ten keys "WorkingFolder", "ThemesFolder", "IncludePath",
  // "Version", "CurrentThemeName", "CurrentThemeFile", "UseBackgroundImage",
  // "ThemeCSS", "ColorCSS", "GraphCSS", in that order. Restoring replaces the
  // three sections (a section key that is absent or holds no section of its
  // kind keeps the current one) and leaves this object's own
  // UseThemeSettings and UseCustomSettings as they were.
  void InitProperties() override {}
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

 private:
  friend class ThemeLoader;

  // The passkey for the sections' internal members.
  RXTHEME_LOCAL static SectionKey Key();

  WString working_folder_;
  WString themes_folder_;
  bool include_path_ = false;
  bool use_custom_settings_ = false;
  bool use_theme_settings_ = true;
  WString version_;  // set by Load; persisted
  WString current_theme_name_;
  WString current_theme_file_;
  std::shared_ptr<CThemeBase> base_;
  std::shared_ptr<CColor> color_;
  std::shared_ptr<CGraph> graph_;
  bool use_background_image_ = false;
};

}  // namespace rxTheme
