#include <rxtheme/picker/preview_scene.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

#include <rxtheme/picker/preview.h>
#include <rxtheme/runtime/automation_error.h>
#include "picker/picture_size.h"
#include "platform/env.h"

namespace rxTheme {
namespace {

// What a browser gives a page without a style sheet of its own (the page has
// no document type, so the older rules for lines holding only pictures apply).
constexpr int kBodyMargin = 8;
constexpr int kTextSize = 16;
struct HeadingStyle {
  int pixel_size;  // 2em and 1.5em
  int margin;      // 0.67em and 0.83em, above and below
};
constexpr HeadingStyle kHeading1{32, 21};
constexpr HeadingStyle kHeading2{24, 20};

// The bullets' table cells: 42 pixels wide, each holding its picture at the
// page's size with `hspace` pixels on either side.
constexpr int kBulletCell = 42;
struct BulletStyle {
  int size;
  int hspace;
};
constexpr BulletStyle kBullets[3] = {{20, 11}, {12, 15}, {12, 15}};
constexpr const char16_t* kBulletTexts[3] = {u"Bullet 1", u"Bullet 2", u"Bullet 3"};

struct Picture {
  std::shared_ptr<const std::string> bytes;
  PictureSize size;  // 0 x 0 when there is nothing to draw
};

Picture LoadPicture(const WString& path) {
  if (path.empty()) return {};
  std::string data;
  try {
    Env& env = CurrentEnv();
    if (!env.FileExists(path)) return {};
    data = env.ReadFile(path);
  } catch (const AutomationError&) {
    return {};  // unreadable: drawn as missing
  }
  const std::optional<PictureSize> size = PictureSizeOf(data);
  if (!size) return {};
  return {std::make_shared<const std::string>(std::move(data)), *size};
}

int HexDigit(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  const char16_t lower = unit | 0x20;
  if (lower >= u'a' && lower <= u'f') return lower - u'a' + 10;
  return -1;
}

// The color names of the style-sheet language, sorted by name.
struct ColorName {
  std::u16string_view name;
  Rgb rgb;
};
// clang-format off
constexpr ColorName kNamedColors[] = {
    {u"aliceblue", 0xF0F8FF}, {u"antiquewhite", 0xFAEBD7}, {u"aqua", 0x00FFFF},
    {u"aquamarine", 0x7FFFD4}, {u"azure", 0xF0FFFF}, {u"beige", 0xF5F5DC}, {u"bisque", 0xFFE4C4},
    {u"black", 0x000000}, {u"blanchedalmond", 0xFFEBCD}, {u"blue", 0x0000FF},
    {u"blueviolet", 0x8A2BE2}, {u"brown", 0xA52A2A}, {u"burlywood", 0xDEB887},
    {u"cadetblue", 0x5F9EA0}, {u"chartreuse", 0x7FFF00}, {u"chocolate", 0xD2691E},
    {u"coral", 0xFF7F50}, {u"cornflowerblue", 0x6495ED}, {u"cornsilk", 0xFFF8DC},
    {u"crimson", 0xDC143C}, {u"cyan", 0x00FFFF}, {u"darkblue", 0x00008B}, {u"darkcyan", 0x008B8B},
    {u"darkgoldenrod", 0xB8860B}, {u"darkgray", 0xA9A9A9}, {u"darkgreen", 0x006400},
    {u"darkgrey", 0xA9A9A9}, {u"darkkhaki", 0xBDB76B}, {u"darkmagenta", 0x8B008B},
    {u"darkolivegreen", 0x556B2F}, {u"darkorange", 0xFF8C00}, {u"darkorchid", 0x9932CC},
    {u"darkred", 0x8B0000}, {u"darksalmon", 0xE9967A}, {u"darkseagreen", 0x8FBC8F},
    {u"darkslateblue", 0x483D8B}, {u"darkslategray", 0x2F4F4F}, {u"darkslategrey", 0x2F4F4F},
    {u"darkturquoise", 0x00CED1}, {u"darkviolet", 0x9400D3}, {u"deeppink", 0xFF1493},
    {u"deepskyblue", 0x00BFFF}, {u"dimgray", 0x696969}, {u"dimgrey", 0x696969},
    {u"dodgerblue", 0x1E90FF}, {u"firebrick", 0xB22222}, {u"floralwhite", 0xFFFAF0},
    {u"forestgreen", 0x228B22}, {u"fuchsia", 0xFF00FF}, {u"gainsboro", 0xDCDCDC},
    {u"ghostwhite", 0xF8F8FF}, {u"gold", 0xFFD700}, {u"goldenrod", 0xDAA520}, {u"gray", 0x808080},
    {u"green", 0x008000}, {u"greenyellow", 0xADFF2F}, {u"grey", 0x808080},
    {u"honeydew", 0xF0FFF0}, {u"hotpink", 0xFF69B4}, {u"indianred", 0xCD5C5C},
    {u"indigo", 0x4B0082}, {u"ivory", 0xFFFFF0}, {u"khaki", 0xF0E68C}, {u"lavender", 0xE6E6FA},
    {u"lavenderblush", 0xFFF0F5}, {u"lawngreen", 0x7CFC00}, {u"lemonchiffon", 0xFFFACD},
    {u"lightblue", 0xADD8E6}, {u"lightcoral", 0xF08080}, {u"lightcyan", 0xE0FFFF},
    {u"lightgoldenrodyellow", 0xFAFAD2}, {u"lightgray", 0xD3D3D3}, {u"lightgreen", 0x90EE90},
    {u"lightgrey", 0xD3D3D3}, {u"lightpink", 0xFFB6C1}, {u"lightsalmon", 0xFFA07A},
    {u"lightseagreen", 0x20B2AA}, {u"lightskyblue", 0x87CEFA}, {u"lightslategray", 0x778899},
    {u"lightslategrey", 0x778899}, {u"lightsteelblue", 0xB0C4DE}, {u"lightyellow", 0xFFFFE0},
    {u"lime", 0x00FF00}, {u"limegreen", 0x32CD32}, {u"linen", 0xFAF0E6}, {u"magenta", 0xFF00FF},
    {u"maroon", 0x800000}, {u"mediumaquamarine", 0x66CDAA}, {u"mediumblue", 0x0000CD},
    {u"mediumorchid", 0xBA55D3}, {u"mediumpurple", 0x9370DB}, {u"mediumseagreen", 0x3CB371},
    {u"mediumslateblue", 0x7B68EE}, {u"mediumspringgreen", 0x00FA9A},
    {u"mediumturquoise", 0x48D1CC}, {u"mediumvioletred", 0xC71585}, {u"midnightblue", 0x191970},
    {u"mintcream", 0xF5FFFA}, {u"mistyrose", 0xFFE4E1}, {u"moccasin", 0xFFE4B5},
    {u"navajowhite", 0xFFDEAD}, {u"navy", 0x000080}, {u"oldlace", 0xFDF5E6}, {u"olive", 0x808000},
    {u"olivedrab", 0x6B8E23}, {u"orange", 0xFFA500}, {u"orangered", 0xFF4500},
    {u"orchid", 0xDA70D6}, {u"palegoldenrod", 0xEEE8AA}, {u"palegreen", 0x98FB98},
    {u"paleturquoise", 0xAFEEEE}, {u"palevioletred", 0xDB7093}, {u"papayawhip", 0xFFEFD5},
    {u"peachpuff", 0xFFDAB9}, {u"peru", 0xCD853F}, {u"pink", 0xFFC0CB}, {u"plum", 0xDDA0DD},
    {u"powderblue", 0xB0E0E6}, {u"purple", 0x800080}, {u"rebeccapurple", 0x663399},
    {u"red", 0xFF0000}, {u"rosybrown", 0xBC8F8F}, {u"royalblue", 0x4169E1},
    {u"saddlebrown", 0x8B4513}, {u"salmon", 0xFA8072}, {u"sandybrown", 0xF4A460},
    {u"seagreen", 0x2E8B57}, {u"seashell", 0xFFF5EE}, {u"sienna", 0xA0522D},
    {u"silver", 0xC0C0C0}, {u"skyblue", 0x87CEEB}, {u"slateblue", 0x6A5ACD},
    {u"slategray", 0x708090}, {u"slategrey", 0x708090}, {u"snow", 0xFFFAFA},
    {u"springgreen", 0x00FF7F}, {u"steelblue", 0x4682B4}, {u"tan", 0xD2B48C}, {u"teal", 0x008080},
    {u"thistle", 0xD8BFD8}, {u"tomato", 0xFF6347}, {u"turquoise", 0x40E0D0},
    {u"violet", 0xEE82EE}, {u"wheat", 0xF5DEB3}, {u"white", 0xFFFFFF}, {u"whitesmoke", 0xF5F5F5},
    {u"yellow", 0xFFFF00}, {u"yellowgreen", 0x9ACD32},

};
// clang-format on

bool IsSpace(char16_t unit) {
  return unit == u' ' || unit == u'\t' || unit == u'\n' || unit == u'\r' || unit == u'\f';
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

WString AsciiLower(std::u16string_view text) {
  WString lower(text);
  for (char16_t& unit : lower) {
    if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit | 0x20);
  }
  return lower;
}

std::optional<Rgb> HexColor(std::u16string_view digits) {
  if (digits.size() != 3 && digits.size() != 6) return std::nullopt;
  Rgb color = 0;
  for (char16_t unit : digits) {
    const int digit = HexDigit(unit);
    if (digit < 0) return std::nullopt;
    color = color << 4 | static_cast<Rgb>(digit);
    if (digits.size() == 3) color = color << 4 | static_cast<Rgb>(digit);
  }
  return color;
}

// One channel of rgb(): an integer, or a percentage of 255; clamped.
std::optional<Rgb> Channel(std::u16string_view text) {
  text = Trimmed(text);
  const bool percent = !text.empty() && text.back() == u'%';
  if (percent) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  double scale = 0;  // 0 before the decimal point
  for (char16_t unit : text) {
    if (unit == u'.' && scale == 0) {
      scale = 1;
      continue;
    }
    if (unit < u'0' || unit > u'9') return std::nullopt;
    if (scale == 0) {
      value = value * 10 + (unit - u'0');
    } else {
      scale /= 10;
      value += (unit - u'0') * scale;
    }
  }
  if (negative) value = -value;
  if (percent) value = value * 255 / 100;
  return static_cast<Rgb>(std::lround(std::clamp(value, 0.0, 255.0)));
}

std::optional<Rgb> FunctionalColor(std::u16string_view lower) {
  constexpr std::u16string_view kPrefix = u"rgb(";
  if (!lower.starts_with(kPrefix) || !lower.ends_with(u')')) return std::nullopt;
  std::u16string_view args = lower.substr(kPrefix.size(), lower.size() - kPrefix.size() - 1);
  Rgb color = 0;
  for (int i = 0; i < 3; ++i) {
    const size_t comma = args.find(u',');
    if ((i < 2) != (comma != std::u16string_view::npos)) return std::nullopt;
    const std::optional<Rgb> channel = Channel(args.substr(0, comma));
    if (!channel) return std::nullopt;
    color = color << 8 | *channel;
    args = i < 2 ? args.substr(comma + 1) : std::u16string_view();
  }
  return color;
}

// Lines of text and pictures, and blocks stacked below one another with
// collapsing vertical margins.
class Flow {
 public:
  Flow(PreviewScene& scene, const TextMetrics& metrics) : scene_(scene), metrics_(metrics) {}

  // The left edge of the lines that follow.
  void Left(int x) { left_ = x; }
  // The top of the next line or block, with the margins so far.
  int Top() {
    EndLine();
    y_ += margin_;
    margin_ = 0;
    return y_;
  }
  // Continues below `y` (after content placed beside the lines).
  void Below(int y) { y_ = std::max(Top(), y); }
  void Margin(int px) {
    EndLine();
    margin_ = std::max(margin_, px);
  }

  void Text(const WString& text, const SceneFont& font, Rgb color) {
    const TextExtent extent = metrics_.Measure(font, text);
    Add({extent.ascent, extent.descent}, extent.width);
    line_.back().text = SceneText{text, font, color, left_ + pen_, 0};
    pen_ += extent.width;
  }
  // White space: one space between the items around it, none at a line's ends.
  void Space(const SceneFont& font) { space_ = metrics_.Measure(font, u" ").width; }
  // A picture standing on the baseline, with `hspace` pixels on either side.
  void Image(const Picture& picture, int width, int height, int hspace = 0) {
    Add({height, 0}, width + 2 * hspace);
    line_.back().picture = ScenePicture{picture.bytes, left_ + pen_ + hspace, 0, width, height};
    pen_ += width + 2 * hspace;
  }
  void Image(const Picture& picture) { Image(picture, picture.size.width, picture.size.height); }
  // A picture placed at a given position, outside the lines.
  void Place(const Picture& picture, int x, int y, int width, int height) {
    Extend(x + width, y + height);
    if (picture.bytes) scene_.pictures.push_back({picture.bytes, x, y, width, height});
  }
  // A line break: ends the line; a line with nothing else takes the font's height.
  void Break(const SceneFont& font) {
    if (line_.empty()) {
      const TextExtent extent = metrics_.Measure(font, u"");
      Add({extent.ascent, extent.descent}, 0);
    }
    EndLine();
  }

  void EndLine() {
    if (line_.empty()) return;
    y_ += margin_;
    margin_ = 0;
    int ascent = 0, descent = 0;
    for (const Item& item : line_) {
      ascent = std::max(ascent, item.ascent);
      descent = std::max(descent, item.descent);
    }
    const int baseline = y_ + ascent;
    for (Item& item : line_) {
      if (item.text) {
        item.text->baseline = baseline;
        Extend(item.right, baseline + descent);
        scene_.texts.push_back(std::move(*item.text));
      } else if (item.picture) {
        ScenePicture& p = *item.picture;
        p.y = baseline - p.height;
        Place({p.bytes, {}}, p.x, p.y, p.width, p.height);
      }
    }
    y_ = baseline + descent;
    line_.clear();
    pen_ = 0;
    space_ = 0;
  }

  // Closes the page: the body's margin below the last block.
  void Finish() {
    Top();
    scene_.height = std::max(scene_.height, y_ + kBodyMargin);
    scene_.width += kBodyMargin;
  }

 private:
  struct Item {
    int ascent = 0;
    int descent = 0;
    int right = 0;
    std::optional<SceneText> text;
    std::optional<ScenePicture> picture;
  };

  void Add(std::pair<int, int> ascent_descent, int width) {
    if (!line_.empty()) pen_ += space_;
    space_ = 0;
    Item item;
    item.ascent = ascent_descent.first;
    item.descent = ascent_descent.second;
    item.right = left_ + pen_ + width;
    line_.push_back(std::move(item));
  }

  void Extend(int right, int bottom) {
    scene_.width = std::max(scene_.width, right);
    scene_.height = std::max(scene_.height, bottom);
  }

  PreviewScene& scene_;
  const TextMetrics& metrics_;
  std::vector<Item> line_;
  int left_ = kBodyMargin;
  int pen_ = 0;
  int space_ = 0;
  int y_ = kBodyMargin;
  int margin_ = 0;
};

// A font element's face: its own families, or those it sits in when empty.
WString Face(const WString& face, const WString& inherited) {
  return face.empty() ? inherited : face;
}

void Heading(Flow& flow, const char16_t* text, HeadingStyle style, const WString& face,
             const WString& color, Rgb inherited) {
  flow.Margin(style.margin);
  flow.Text(text, SceneFont{Face(face, kDefaultFamilies), style.pixel_size, true},
            ParseColor(color).value_or(inherited));
  flow.Margin(style.margin);
}

}  // namespace

std::vector<WString> FontFamilies(std::u16string_view list) {
  std::vector<WString> names;
  while (!list.empty()) {
    const size_t comma = std::min(list.find(u','), list.size());
    std::u16string_view name = list.substr(0, comma);
    list.remove_prefix(std::min(comma + 1, list.size()));
    while (!name.empty() && (name.front() == u' ' || name.front() == u'\t')) name.remove_prefix(1);
    while (!name.empty() && (name.back() == u' ' || name.back() == u'\t')) name.remove_suffix(1);
    if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') &&
        name.back() == name.front()) {
      name = name.substr(1, name.size() - 2);
    }
    if (!name.empty()) names.emplace_back(name);
  }
  return names;
}

std::optional<Rgb> CssNamedColor(std::u16string_view name) {
  const WString lower = AsciiLower(name);
  const auto named = std::lower_bound(
      std::begin(kNamedColors), std::end(kNamedColors), lower,
      [](const ColorName& entry, const WString& key) { return entry.name < key; });
  if (named != std::end(kNamedColors) && named->name == lower) return named->rgb;
  return std::nullopt;
}

std::optional<Rgb> ParseColor(std::u16string_view text) {
  text = Trimmed(text);
  if (text.starts_with(u'#')) return HexColor(text.substr(1));
  const WString lower = AsciiLower(text);
  if (std::optional<Rgb> color = FunctionalColor(lower)) return color;
  return CssNamedColor(lower);
}

FontFace ChooseFace(std::u16string_view families,
                    const std::function<bool(std::u16string_view)>& installed) {
  struct Generic {
    std::u16string_view name;
    std::u16string_view face;
    GenericFamily family;
  };
  static constexpr Generic kGenerics[] = {
      {u"serif", u"Times New Roman", GenericFamily::kSerif},
      {u"sans-serif", u"Arial", GenericFamily::kSansSerif},
      {u"monospace", u"Courier New", GenericFamily::kMonospace},
      {u"cursive", u"Comic Sans MS", GenericFamily::kCursive},
      {u"fantasy", u"Impact", GenericFamily::kFantasy},
  };
  for (const WString& name : FontFamilies(families)) {
    const WString lower = AsciiLower(name);
    for (const Generic& generic : kGenerics) {
      if (lower == generic.name) return {WString(generic.face), generic.family};
    }
    if (installed(name)) return {name, std::nullopt};
  }
  return {WString(kGenerics[0].face), kGenerics[0].family};
}

PreviewScene BuildPreviewScene(const PreviewValues& v, bool background,
                               const TextMetrics& metrics) {
  PreviewScene scene;
  scene.background = ParseColor(v.background_color).value_or(kDefaultBackground);
  if (background) {
    const Picture tile = LoadPicture(v.background_image);
    scene.background_picture = {tile.bytes, 0, 0, tile.size.width, tile.size.height};
  }
  const Rgb text = ParseColor(v.text_color).value_or(kDefaultText);
  const SceneFont plain{kDefaultFamilies, kTextSize};
  Flow flow(scene, metrics);

  flow.Image(LoadPicture(v.banner_image));
  Heading(flow, u"Heading 1", kHeading1, v.heading1_typeface, v.heading1_color, text);

  // Three nested one-row tables: the bullet's cell, then the text cell that
  // holds the next level's table below its text.
  const SceneFont body{Face(v.body_typeface, kDefaultFamilies), kTextSize};
  int bottom = 0;
  for (int level = 0; level < 3; ++level) {
    const int cell = kBodyMargin + level * kBulletCell;
    const int top = flow.Top();
    const BulletStyle bullet = kBullets[level];
    flow.Place(LoadPicture(v.bullet_images[level]), cell + bullet.hspace, top, bullet.size,
               bullet.size);
    bottom = std::max(bottom, top + bullet.size);
    flow.Left(cell + kBulletCell);
    flow.Text(kBulletTexts[level], body, text);
    flow.EndLine();
  }
  flow.Left(kBodyMargin);
  flow.Below(bottom);

  Heading(flow, u"Heading 2", kHeading2, v.heading2_typeface, v.heading2_color, text);
  flow.Text(u"Regular Text Sample", plain, text);
  flow.Break(plain);
  flow.Break(plain);
  flow.Image(LoadPicture(v.separator_image));
  flow.Break(plain);
  flow.Break(plain);
  for (const WString& button : v.nav_button_images) {
    flow.Space(plain);  // the line end between two pictures
    flow.Image(LoadPicture(button));
  }
  flow.Break(plain);
  const std::pair<const char16_t*, const WString*> links[] = {
      {u"Regular Link", &v.link_color},
      {u"Followed Link", &v.visited_link_color},
      {u"Active Link", &v.active_link_color}};
  SceneFont underlined = plain;
  underlined.underline = true;
  for (const auto& [label, color] : links) {
    flow.Text(label, underlined, ParseColor(*color).value_or(text));
    flow.Break(plain);
  }
  flow.Finish();
  return scene;
}

PreviewScene TextScene(const WString& text, const TextMetrics& metrics) {
  PreviewScene scene;
  Flow flow(scene, metrics);
  flow.Text(text, SceneFont{kDefaultFamilies, kTextSize}, kDefaultText);
  flow.Finish();
  return scene;
}

}  // namespace rxTheme
