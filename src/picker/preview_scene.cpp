#include <rxtheme/picker/preview_scene.h>

#include <algorithm>
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

std::optional<Rgb> ParseColor(std::u16string_view text) {
  if (text.size() != 7 || text[0] != u'#') return std::nullopt;
  Rgb color = 0;
  for (char16_t unit : text.substr(1)) {
    const int digit = HexDigit(unit);
    if (digit < 0) return std::nullopt;
    color = color << 4 | static_cast<Rgb>(digit);
  }
  return color;
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
