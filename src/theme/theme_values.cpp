#include <rxtheme/theme/theme_values.h>

#include <iterator>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/theme.h>
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "settings/settings_objects.h"

namespace rxTheme {
namespace {

ValueType TypeOf(const PropertyInfo& info) {
  if (info.kind == PropertyKind::kImage) return ValueType::kPicture;
  // The base sheet's button background color is read as url(text).
  if (info.reader == ValueReader::kColor || std::u16string_view(info.name).ends_with(u"Color"))
    return ValueType::kColor;
  return ValueType::kText;
}

template <class Section, class Get>
void ReadSection(ValueSection section, ValueChoice choice, Get get, std::vector<ThemeValue>& out) {
  using Object = typename Section::Object;
  const auto properties = Object::Properties();
  for (const WString& style : Section::StyleNames()) {
    const auto object = get(style);
    for (size_t p = 0; p < properties.size(); ++p) {
      if (properties[p].kind == PropertyKind::kInternal) continue;
      ThemeValue value{section, style, properties[p].name, TypeOf(properties[p]), {}};
      if (choice == ValueChoice::kCurrentLook) {
        value.value[0] = ImplOf(*object).EffectiveName(p);
        value.value[1] = value.value[0];
      } else {
        value.value[0] = ImplOf(*object).ThemeValueOf(p, 0);
        value.value[1] =
            Object::kVariantCount == 2 ? ImplOf(*object).ThemeValueOf(p, 1) : value.value[0];
      }
      out.push_back(std::move(value));
    }
  }
}

}  // namespace

std::u16string_view SectionName(ValueSection section) {
  switch (section) {
    case ValueSection::kColor:
      return u"color";
    case ValueSection::kGraph:
      return u"graph";
    case ValueSection::kBase:
      break;
  }
  return u"base";
}

std::vector<ThemeValue> ReadThemeValues(const CTheme& theme, ValueChoice choice) {
  std::vector<ThemeValue> values;
  values.reserve(11 * std::size(kColorProperties) + 8 * std::size(kGraphProperties) +
                 9 * std::size(kBaseProperties));
  ReadSection<CColor>(
      ValueSection::kColor, choice, [&](const WString& s) { return theme.Color(s); }, values);
  ReadSection<CGraph>(
      ValueSection::kGraph, choice, [&](const WString& s) { return theme.Graph(s); }, values);
  ReadSection<CThemeBase>(
      ValueSection::kBase, choice, [&](const WString& s) { return theme.Base(s); }, values);
  return values;
}

const ThemeValue* FindValue(const std::vector<ThemeValue>& values, ValueSection section,
                            std::u16string_view style, std::u16string_view property) {
  for (const ThemeValue& value : values) {
    if (value.section == section && value.style == style && value.property == property)
      return &value;
  }
  return nullptr;
}

}  // namespace rxTheme
