// The preview as a picture to paint: the preview page laid out the way a
// browser lays it out, described without a toolkit. A view paints the
// background color, tiles the background picture, draws each picture into
// its box and each text run at its baseline; it supplies the text metrics
// that the layout measures with, so what it paints fits what was measured.
//
// Coordinates are CSS pixels from the page's top-left corner.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

struct PreviewValues;

// A color as 0xRRGGBB.
using Rgb = uint32_t;

// The colors a page has where the theme gives none.
inline constexpr Rgb kDefaultBackground = 0xFFFFFF;
inline constexpr Rgb kDefaultText = 0x000000;

// A font as the page names it: a family list ("Georgia, serif"), a size in
// pixels, bold; underline changes the drawing only, not the metrics.
struct SceneFont {
  WString families;
  int pixel_size = 16;
  bool bold = false;
  bool underline = false;
  bool operator==(const SceneFont&) const = default;
};

// The families a browser uses when a page names none.
inline constexpr char16_t kDefaultFamilies[] = u"Times New Roman, serif";

// The names of a family list, in order, without surrounding spaces or quotes.
RXTHEME_API std::vector<WString> FontFamilies(std::u16string_view list);

// The classes of faces that the generic family names stand for.
enum class GenericFamily { kSerif, kSansSerif, kMonospace, kCursive, kFantasy };

struct FontFace {
  WString face;
  // The generic name that chose the face; nullopt for a family of its own.
  std::optional<GenericFamily> generic;
  bool operator==(const FontFace&) const = default;
};

// The face that a family list is painted with, as a browser picks it: the
// first name of the list that is either installed (`installed`) or generic
// (serif, sans-serif, monospace, cursive, fantasy, in any letter case), the
// latter standing for Times New Roman, Arial, Courier New, Comic Sans MS and
// Impact; when no name qualifies, the browser's default, Times New Roman as
// the serif face. Both views paint with what this gives.
FontFace ChooseFace(std::u16string_view families,
                    const std::function<bool(std::u16string_view)>& installed);

struct TextExtent {
  int width = 0;
  int ascent = 0;   // above the baseline
  int descent = 0;  // below it
};

// Text measuring in the view's toolkit.
class RXTHEME_API TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual TextExtent Measure(const SceneFont& font, std::u16string_view text) const = 0;
};

// A picture file's bytes (PNG, GIF, JPEG or BMP), drawn stretched into its box.
struct ScenePicture {
  std::shared_ptr<const std::string> bytes;  // null: nothing to draw
  int x = 0, y = 0, width = 0, height = 0;
};

struct SceneText {
  WString text;
  SceneFont font;
  Rgb color = kDefaultText;
  int x = 0;
  int baseline = 0;
};

struct PreviewScene {
  Rgb background = kDefaultBackground;
  // Tiled over the whole page from its top-left corner, at its natural size;
  // no bytes when the page has no background picture.
  ScenePicture background_picture;
  std::vector<ScenePicture> pictures;
  std::vector<SceneText> texts;
  // The page's extent, margins included.
  int width = 0;
  int height = 0;
};

// The color that a color name of the style-sheet language means ("red",
// "DarkSlateGray"; letter case does not matter), or nullopt.
RXTHEME_API std::optional<Rgb> CssNamedColor(std::u16string_view name);

// A color as an HTML view reads it from the page: a color name of the
// style-sheet language ("red", "DarkSlateGray"), "#RGB" (each digit
// doubled), "#RRGGBB" or "rgb(R, G, B)" with numbers from 0 to 255 or
// percentages (clamped to the range); spaces around it and letter case do
// not matter. nullopt for any other text (the page then keeps the color it
// inherits).
RXTHEME_API std::optional<Rgb> ParseColor(std::u16string_view text);

// The preview page of `values` (with or without its background picture, as
// BuildPreview's `background` chooses). Pictures are read through the
// current Env from the paths the page names; a picture that is not named, is
// missing or is no PNG, GIF, JPEG or BMP draws nothing and, without a size of
// its own on the page, takes no room (as a browser shows a missing picture
// that has no text of its own).
RXTHEME_API PreviewScene BuildPreviewScene(const PreviewValues& values, bool background,
                                           const TextMetrics& metrics);

// A page that shows one line of plain text, as a browser shows a document
// that is only that text.
RXTHEME_API PreviewScene TextScene(const WString& text, const TextMetrics& metrics);

}  // namespace rxTheme
