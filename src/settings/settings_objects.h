// The three settings objects as the component implements them: their
// property tables and the classes that hold their values. The public classes
// (<rxtheme/settings/*.h>) declare the gets and sets; each implementation
// class derives from its public class and SettingsObject, and the public
// members reach it through a cast (settings_objects.cpp), so that a host's
// get costs no more than a call into the library.
#pragma once

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include "settings/property_lists.h"
#include "settings/settings_object.h"

namespace rxTheme {

// The property lists (settings/property_lists.h), each row
//   X(Name, kind, style-sheet prefix, value reader)
// from which the tables, the get and set of every public property and the
// Theme<Name> setters are derived.

// The four colors, in interface and persistence order.
inline constexpr PropertyInfo kColorProperties[] = {RX_COLOR_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// Two variants, no working folder, UseThemeSettings false when not saved.
inline constexpr SettingsShape kColorShape{u"CColorObject", kColorProperties, 2, false, false};

// The 28 graphics properties, in interface and persistence order. A
// declaration line can start with at most one of the prefixes (each ends at
// its only colon), so the order in which a line is tested does not matter.
inline constexpr PropertyInfo kGraphProperties[] = {RX_GRAPH_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// Two variants, a working folder, UseThemeSettings true when not saved.
inline constexpr SettingsShape kGraphShape{u"CGraphObject", kGraphProperties, 2, true, true};

// The nine base fields, in persistence order, which is also the order in
// which the base section tests a declaration line. Version is parsed and
// saved but reached by no get or set.
inline constexpr PropertyInfo kBaseProperties[] = {RX_BASE_PROPERTIES(RX_SETTINGS_PROPERTY_ROW)};
// One theme value, a working folder, UseThemeSettings true when not saved.
inline constexpr SettingsShape kBaseShape{u"CThemeBaseObject", kBaseProperties, 1, true, true};

// Theme<Name>: stores the theme value of the selected variant, raising 9
// (storing nothing) when the variant is not 0 or 1.
class ColorObjectImpl final : public SettingsObject<kColorShape, CColorObject> {
 public:
  RX_SETTINGS_MEMBERS(RX_COLOR_PROPERTIES)
};

class GraphObjectImpl final : public SettingsObject<kGraphShape, CGraphObject> {
 public:
  RX_SETTINGS_MEMBERS(RX_GRAPH_PROPERTIES)
};

// Theme<Name> stores the theme value unchanged.
class BaseObjectImpl final : public SettingsObject<kBaseShape, CThemeBaseObject> {
 public:
  RX_SETTINGS_MEMBERS(RX_BASE_PROPERTIES)
};

// The implementation behind a public settings object (every one is made by
// the component, so the cast always holds).
inline ColorObjectImpl& ImplOf(CColorObject& object) {
  return static_cast<ColorObjectImpl&>(object);
}
inline const ColorObjectImpl& ImplOf(const CColorObject& object) {
  return static_cast<const ColorObjectImpl&>(object);
}
inline GraphObjectImpl& ImplOf(CGraphObject& object) {
  return static_cast<GraphObjectImpl&>(object);
}
inline const GraphObjectImpl& ImplOf(const CGraphObject& object) {
  return static_cast<const GraphObjectImpl&>(object);
}
inline BaseObjectImpl& ImplOf(CThemeBaseObject& object) {
  return static_cast<BaseObjectImpl&>(object);
}
inline const BaseObjectImpl& ImplOf(const CThemeBaseObject& object) {
  return static_cast<const BaseObjectImpl&>(object);
}

}  // namespace rxTheme
