// A theme as a style sheet for modern pages: one custom property per value,
// then the rules that give plain HTML (body, headings, links, tables, lists,
// separators) and a few classes (banner, navigation buttons) the theme's
// look. A host publishes a page's theme with it; `rxtheme export` writes it
// as theme.css.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme_values.h>

namespace rxTheme {

class CTheme;

struct ThemeCssOptions {
  // kThemeVariants: the theme's own values, variant 0 on :root, the vivid
  // colors on :root[data-rx-colors="vivid"], the active graphics on
  // :root[data-rx-graphics="active"], the body's background picture when
  // :root[data-rx-background] is set. kCurrentLook: what the page shows now
  // (its switches, custom values, chosen variants and UseBackgroundImage),
  // all on :root.
  ValueChoice look = ValueChoice::kThemeVariants;
  // Put in front of every picture name: the URL of the folder that holds the
  // pictures, relative to the style sheet or absolute, ending with "/". Empty:
  // the pictures lie beside the style sheet.
  std::string picture_folder_url;
};

struct ThemeCss {
  std::string text;               // UTF-8
  std::vector<WString> warnings;  // one per value left out, saying why
};

// "--rx-<section>-<style>-<property in kebab case>".
RXTHEME_API std::string CssPropertyName(const ThemeValue& value);

// A value of `value`'s property as CSS (css_text.h), or nullopt with `why`
// set when it cannot be written safely. An empty value gives nullopt and
// leaves `why` empty.
RXTHEME_API std::optional<std::string> CssValueOf(const ThemeValue& value, std::u16string_view text,
                                                  std::string_view picture_folder_url,
                                                  WString& why);

// Reads every value first (ReadThemeValues), so a get that raises fails the
// whole sheet.
RXTHEME_API ThemeCss WriteThemeCss(const CTheme& theme, const ThemeCssOptions& options = {});

}  // namespace rxTheme
