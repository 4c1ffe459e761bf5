// Theme values as CSS text that stays inside its declaration: whatever a
// value holds, the text made from it cannot end the declaration or the rule,
// open a comment or a block, or close a <style> element. A value that cannot
// be made safe so is refused (nullopt) and the caller leaves it out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// "BackgroundColor" -> "background-color", "NavButtonHomeNormal" ->
// "nav-button-home-normal", "ListImage1" -> "list-image-1".
std::string KebabCase(std::u16string_view name);

// A CSS string in double quotes: `"`, `\`, control characters, `<`, `>`,
// `&`, `{`, `}`, `;`, `*` and everything beyond ASCII as hex escapes ("\3C ").
std::string CssQuoted(std::u16string_view text);

// "#RRGGBB" (upper case) for a value of the form #RRGGBB in any letter case.
std::optional<std::string> CssColorText(std::u16string_view value);

// url("PREFIX NAME"): the name percent-encoded byte by byte (its UTF-8)
// except letters, digits and "-._~", so that it stays one relative file
// name; `prefix` (a URL of the folder, ending with "/", or empty) is put in
// front as it is, escaped as a CSS string.
std::string CssPictureUrl(std::u16string_view name, std::string_view prefix = {});

// A font family list: names split at commas outside quotes, the generic
// families (serif, sans-serif, ...) kept as keywords, every other name
// quoted; nullopt when no name is left.
std::optional<std::string> CssFontFamily(std::u16string_view value);

// A CSS value of the property named (FontWeight, TextAlign, VerticalAlign):
// one of its keywords in lower case (a font weight may also be a number from
// 1 to 1000); nullopt for anything else.
std::optional<std::string> CssKeyword(std::u16string_view property, std::u16string_view value);

}  // namespace rxTheme
