#include <rxtheme/theme/theme.h>

#include <utility>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/loader.h>
#include "persist/class_factory.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "sections/section_key.h"

namespace rxTheme {
namespace {

const CreatableRegistration kCreatable(u"rxTheme.CTheme",
                                       [] { return std::make_shared<CTheme>(); });
const ClassRegistration kFactory(u"CTheme", [] { return std::make_shared<CTheme>(); });

// The section of kind T stored under a key, or null when the value read is
// not one (absent, a null reference, a plain value, another class).
template <typename T>
std::shared_ptr<T> SectionOf(const Variant& value) {
  if (!value.IsObject()) return nullptr;
  return std::dynamic_pointer_cast<T>(value.ObjectValue());
}

}  // namespace

CTheme::CTheme()
    : base_(std::make_shared<CThemeBase>()),
      color_(std::make_shared<CColor>()),
      graph_(std::make_shared<CGraph>()) {
  // UseThemeSettings(true), the settings objects made as they are used.
  use_theme_settings_ = true;
  base_->UseThemeSettingsOnFirstUse(Key());
  color_->UseThemeSettingsOnFirstUse(Key());
  graph_->UseThemeSettingsOnFirstUse(Key());
}

CTheme::~CTheme() = default;

SectionKey CTheme::Key() { return SectionKey(); }

WString CTheme::ClassName() const { return WString(kLibraryName) + u".CTheme"; }

void CTheme::IncludePath(bool value) {
  include_path_ = value;
  base_->IncludePath(Key(), value);
  graph_->IncludePath(Key(), value);
}

void CTheme::UseThemeSettings(bool value) {
  use_theme_settings_ = value;
  base_->UseThemeSettings(Key(), value);
  color_->UseThemeSettings(Key(), value);
  graph_->UseThemeSettings(Key(), value);
}

void CTheme::UseCustomSettings(bool value) {
  use_custom_settings_ = value;
  base_->UseCustomSettings(Key(), value);
  color_->UseCustomSettings(Key(), value);
  graph_->UseCustomSettings(Key(), value);
}

int16_t CTheme::ColorIndex() const { return color_->Index(Key()); }
void CTheme::ColorIndex(int16_t value) { color_->Index(Key(), value); }
int16_t CTheme::GraphIndex() const { return graph_->Index(Key()); }
void CTheme::GraphIndex(int16_t value) { graph_->Index(Key(), value); }

std::shared_ptr<CColorObject> CTheme::Color(const WString& name) const {
  return color_->Item(Key(), name);
}
std::shared_ptr<CGraphObject> CTheme::Graph(const WString& name) const {
  return graph_->Item(Key(), name);
}
std::shared_ptr<CThemeBaseObject> CTheme::Base(const WString& name) const {
  return base_->Item(Key(), name);
}

Variant CTheme::ClearTheme() { return Variant::Empty(); }

int32_t CTheme::Load(const WString& file) { return ThemeLoader::Load(*this, file); }

void CTheme::WriteProperties(PropertyBagX& bag) {
  // A boolean never equals "" and a string never equals 0, so IncludePath and
  // Version are always stored; the folders only when they are not empty.
  bag.WriteProperty(u"WorkingFolder", working_folder_, Variant(u""));
  bag.WriteProperty(u"ThemesFolder", themes_folder_, Variant(u""));
  bag.WriteProperty(u"IncludePath", Variant::Bool(include_path_), Variant(u""));
  bag.WriteProperty(u"Version", version_, Variant::I2(0));
  bag.WriteProperty(u"CurrentThemeName", current_theme_name_);
  bag.WriteProperty(u"CurrentThemeFile", current_theme_file_);
  bag.WriteProperty(u"UseBackgroundImage", Variant::Bool(use_background_image_));
  bag.WriteProperty(u"ThemeCSS", Variant::Obj(base_));
  bag.WriteProperty(u"ColorCSS", Variant::Obj(color_));
  bag.WriteProperty(u"GraphCSS", Variant::Obj(graph_));
}

void CTheme::ReadProperties(PropertyBagX& bag) {
  working_folder_ = bag.ReadProperty(u"WorkingFolder", Variant(u"")).ToString();
  themes_folder_ = bag.ReadProperty(u"ThemesFolder", Variant(u"")).ToString();
  // Kept on the theme object only: the restored settings objects carry their
  // own copy of the flag.
  include_path_ = bag.ReadProperty(u"IncludePath", Variant::I2(0)).ToBool();
  version_ = bag.ReadProperty(u"Version", Variant(u"")).ToString();
  current_theme_name_ = bag.ReadProperty(u"CurrentThemeName", Variant(u"")).ToString();
  current_theme_file_ = bag.ReadProperty(u"CurrentThemeFile", Variant(u"")).ToString();
  use_background_image_ = bag.ReadProperty(u"UseBackgroundImage", Variant::I2(0)).ToBool();
  // A section key that is absent or holds no section of its kind keeps the
  // current section, so the object stays usable.
  if (auto base = SectionOf<CThemeBase>(bag.ReadProperty(u"ThemeCSS"))) base_ = std::move(base);
  if (auto color = SectionOf<CColor>(bag.ReadProperty(u"ColorCSS"))) color_ = std::move(color);
  if (auto graph = SectionOf<CGraph>(bag.ReadProperty(u"GraphCSS"))) graph_ = std::move(graph);
}

}  // namespace rxTheme
