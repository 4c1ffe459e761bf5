#include "print/theme_print.h"

#include <memory>
#include <vector>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include "print/json_text.h"
#include "print/printable.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme::cli {
namespace {

// One style's values, read once.
struct StyleValues {
  WString style;
  bool use_theme_settings;
  bool use_custom_settings;
  std::vector<std::pair<WString, WString>> values;  // property name, value
};

struct SectionValues {
  const char* json_key;
  const char* title;
  std::vector<StyleValues> styles;
};

template <class Section, class Get>
SectionValues ReadSection(const char* json_key, const char* title, Get get) {
  SectionValues out{json_key, title, {}};
  for (const WString& style : Section::StyleNames()) {
    auto object = get(style);
    StyleValues values{style, object->UseThemeSettings(), object->UseCustomSettings(), {}};
    const auto& names = object->StringPropertyNames();
    for (size_t i = 0; i < names.size(); ++i) {
      values.values.emplace_back(names[i], object->GetStringProperty(i));
    }
    out.styles.push_back(std::move(values));
  }
  return out;
}

std::vector<SectionValues> ReadSections(CTheme& theme) {
  std::vector<SectionValues> sections;
  sections.push_back(
      ReadSection<CColor>("color", "Colors", [&](const WString& s) { return theme.Color(s); }));
  sections.push_back(
      ReadSection<CGraph>("graph", "Graphics", [&](const WString& s) { return theme.Graph(s); }));
  sections.push_back(ReadSection<CThemeBase>("base", "Base styles",
                                             [&](const WString& s) { return theme.Base(s); }));
  return sections;
}

const char* Bool(bool value) { return value ? "true" : "false"; }
const char* YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

std::string ThemeText(CTheme& theme) {
  const std::vector<SectionValues> sections = ReadSections(theme);
  std::string out;
  auto line = [&](const std::string& label, const WString& value) {
    if (!value.empty()) out += label + ": " + Printable(value) + "\n";
  };
  line("Theme", theme.CurrentThemeName());
  line("Theme file", theme.CurrentThemeFile());
  line("Version", theme.Version());
  line("Working folder", theme.WorkingFolder());
  line("Themes folder", theme.ThemesFolder());
  out += "Color variant: " + std::to_string(theme.ColorIndex()) +
         (theme.ColorIndex() == 1 ? " (vivid)" : "") +
         "\nGraphics variant: " + std::to_string(theme.GraphIndex()) +
         (theme.GraphIndex() == 1 ? " (active)" : "") + "\n";
  out += std::string("Use theme settings: ") + YesNo(theme.UseThemeSettings()) +
         "\nUse custom settings: " + YesNo(theme.UseCustomSettings()) +
         "\nInclude path: " + YesNo(theme.IncludePath()) +
         "\nUse background image: " + YesNo(theme.UseBackgroundImage()) + "\n";
  for (const SectionValues& section : sections) {
    out += std::string("\n") + section.title + "\n";
    for (const StyleValues& style : section.styles) {
      std::string block;
      for (const auto& [name, value] : style.values) {
        if (!value.empty()) block += "    " + ToUtf8(name) + ": " + Printable(value) + "\n";
      }
      std::string flags;
      if (!style.use_theme_settings) flags += " [theme settings off]";
      if (style.use_custom_settings) flags += " [custom settings on]";
      if (block.empty() && flags.empty()) continue;
      out += "  " + ToUtf8(style.style) + flags + "\n" + block;
    }
  }
  return out;
}

std::string ThemeJson(CTheme& theme) {
  const std::vector<SectionValues> sections = ReadSections(theme);
  std::string out = "{\n";
  auto field = [&](const char* key, const std::string& json, bool last = false) {
    out += std::string("  \"") + key + "\": " + json + (last ? "\n" : ",\n");
  };
  field("version", JsonString(theme.Version()));
  field("colorIndex", std::to_string(theme.ColorIndex()));
  field("graphIndex", std::to_string(theme.GraphIndex()));
  field("useThemeSettings", Bool(theme.UseThemeSettings()));
  field("useCustomSettings", Bool(theme.UseCustomSettings()));
  field("includePath", Bool(theme.IncludePath()));
  field("useBackgroundImage", Bool(theme.UseBackgroundImage()));
  field("workingFolder", JsonString(theme.WorkingFolder()));
  field("themesFolder", JsonString(theme.ThemesFolder()));
  field("currentThemeName", JsonString(theme.CurrentThemeName()));
  field("currentThemeFile", JsonString(theme.CurrentThemeFile()));
  for (size_t s = 0; s < sections.size(); ++s) {
    std::string json = "{\n";
    const auto& styles = sections[s].styles;
    for (size_t i = 0; i < styles.size(); ++i) {
      const StyleValues& style = styles[i];
      json += "    " + JsonString(style.style) + ": {\n";
      json += std::string("      \"UseThemeSettings\": ") + Bool(style.use_theme_settings) +
              ",\n      \"UseCustomSettings\": " + Bool(style.use_custom_settings);
      for (const auto& [name, value] : style.values) {
        json += ",\n      " + JsonString(name) + ": " + JsonString(value);
      }
      json += std::string("\n    }") + (i + 1 < styles.size() ? ",\n" : "\n");
    }
    json += "  }";
    field(sections[s].json_key, json, s + 1 == sections.size());
  }
  out += "}\n";
  return out;
}

}  // namespace rxTheme::cli
