// The preview scene: picture headers, and the page laid out with fixed text
// metrics from pictures held in an in-memory file system.
#include "picker/preview_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picker/picture_size.h"
#include "picker/preview.h"
#include "platform/mem_env.h"
#include "support/fixed_metrics.h"

namespace rxTheme {
namespace {

std::string BigEndian(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string Png(uint32_t width, uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + BigEndian(width, 4) +
         BigEndian(height, 4) + std::string("\x08\x02\0\0\0", 5);
}
std::string Gif(uint8_t width, uint8_t height) {
  return std::string("GIF89a") + char(width) + '\0' + char(height) + '\0' + "\xF0\0\0";
}
std::string Jpeg(uint16_t width, uint16_t height) {
  return std::string("\xFF\xD8\xFF\xE0\0\x04\0\0\xFF\xFF\xC2\0\x11\x08", 14) +
         BigEndian(height, 2) + BigEndian(width, 2) + "\x03";
}

TEST(PictureSizeTest, ReadsTheHeaderOfEachFormat) {
  struct Case {
    std::string bytes;
    std::optional<PictureSize> size;
  } cases[] = {
      {Png(480, 56), PictureSize{480, 56}},
      {Gif(14, 12), PictureSize{14, 12}},
      {Jpeg(640, 480), PictureSize{640, 480}},
      {Png(480, 56).substr(0, 23), std::nullopt},                             // cut short
      {Png(0, 56), std::nullopt},                                             // empty
      {Png(70000, 1), std::nullopt},                                          // beyond reason
      {Jpeg(64, 64).substr(0, 17), std::nullopt},                             // frame cut short
      {std::string("\xFF\xD8\xFF\xDA\0\x02", 6), std::nullopt},               // data before a frame
      {std::string("\xFF\xD8\xFF\xE0\0\x01", 6) + Jpeg(8, 8), std::nullopt},  // bad length
      {"BM\x36\0\0\0", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureSizeOf(c.bytes), c.size) << c.bytes.size();
}

TEST(PreviewSceneTest, NamesAndColors) {
  EXPECT_EQ(FontFamilies(u" 'Times New Roman' ,\t\"serif\",, "),
            (std::vector<WString>{u"Times New Roman", u"serif"}));
  EXPECT_EQ(ParseColor(u"#2060a0"), 0x2060A0u);
  for (const char16_t* bad : {u"", u"#2060a", u"#2060a0 ", u"red", u"#20g0a0"}) {
    EXPECT_EQ(ParseColor(bad), std::nullopt) << ToUtf8(bad);
  }
}

struct Placed {
  int x, y, width, height;
  bool operator==(const Placed&) const = default;
};

struct TextRun {
  std::u16string text;
  int x, baseline;
  SceneFont font;
  Rgb color;
  bool operator==(const TextRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TextRun& r) {
  return out << ToUtf8(r.text) << "@" << r.x << "," << r.baseline << " " << ToUtf8(r.font.families)
             << " " << r.font.pixel_size << (r.font.bold ? "b" : "")
             << (r.font.underline ? "u" : "") << " #" << std::hex << r.color << std::dec;
}
std::ostream& operator<<(std::ostream& out, const Placed& p) {
  return out << p.x << "," << p.y << " " << p.width << "x" << p.height;
}

// Fixed metrics: 16 pixels give ascent 12, descent 3, 8 per character; 32
// give 25, 6, 16; 24 give 19, 4, 12.
TEST(PreviewSceneTest, LaysThePageOutAsABrowserDoes) {
  MemEnv env;
  ScopedEnv scoped(env);
  env.AddFile(u"/site/banner.png", Png(480, 56));
  env.AddFile(u"/site/b1.gif", Gif(14, 14));
  env.AddFile(u"/site/back.jpg", Jpeg(64, 48));
  env.AddFile(u"/site/sep.png", Png(480, 8));
  env.AddFile(u"/site/nav.gif", Gif(28, 28));
  env.AddFile(u"/site/junk.png", "not a picture");
  PreviewValues v;
  v.background_image = u"/site/back.jpg";
  v.background_color = u"#F4F8FC";
  v.text_color = u"#182840";
  v.link_color = u"#2060A0";
  v.visited_link_color = u"";  // no color of its own: the text's
  v.active_link_color = u"#E07830";
  v.banner_image = u"/site/banner.png";
  v.heading1_typeface = u"Georgia, serif";
  v.heading1_color = u"#1E5892";
  v.body_typeface = u"Verdana";
  v.bullet_images[0] = u"/site/b1.gif";    // drawn at the page's 20 x 20
  v.bullet_images[1] = u"/site/none.png";  // missing: its box stays empty
  v.bullet_images[2] = u"";
  v.heading2_typeface = u"";  // the default families
  v.heading2_color = u"bad";
  v.separator_image = u"/site/sep.png";
  v.nav_button_images[0] = u"/site/nav.gif";
  v.nav_button_images[1] = u"/site/junk.png";  // no picture: no room
  v.nav_button_images[2] = u"/site/nav.gif";
  v.nav_button_images[3] = u"/site/nav.gif";
  testing::FixedMetrics metrics;
  const PreviewScene scene = BuildPreviewScene(v, true, metrics);

  EXPECT_EQ(scene.background, 0xF4F8FCu);
  ASSERT_TRUE(scene.background_picture.bytes);
  EXPECT_EQ(*scene.background_picture.bytes, Jpeg(64, 48));
  EXPECT_EQ((Placed{scene.background_picture.x, scene.background_picture.y,
                    scene.background_picture.width, scene.background_picture.height}),
            (Placed{0, 0, 64, 48}));
  std::vector<Placed> pictures;
  for (const ScenePicture& p : scene.pictures) {
    EXPECT_TRUE(p.bytes);
    pictures.push_back({p.x, p.y, p.width, p.height});
  }
  EXPECT_EQ(pictures, (std::vector<Placed>{
                          {8, 8, 480, 56},    // banner, then h1 21 below
                          {19, 137, 20, 20},  // bullet 1: 11 in, on its row's top
                          {8, 275, 480, 8},   // separator after two line breaks
                          {8, 298, 28, 28},   // buttons, a space apart, and two
                          {52, 298, 28, 28},  // around the one without a picture
                          {88, 298, 28, 28},
                      }));
  const SceneFont plain{kDefaultFamilies, 16};
  const SceneFont body{u"Verdana", 16};
  const SceneFont link{kDefaultFamilies, 16, false, true};
  std::vector<TextRun> texts;
  for (const SceneText& t : scene.texts) {
    texts.push_back({t.text, t.x, t.baseline, t.font, t.color});
  }
  const Rgb text = 0x182840;
  EXPECT_EQ(
      texts,
      (std::vector<TextRun>{
          {.text = u"Heading 1",
           .x = 8,
           .baseline = 110,
           .font = {u"Georgia, serif", 32, true},
           .color = 0x1E5892},
          {.text = u"Bullet 1", .x = 50, .baseline = 149, .font = body, .color = text},
          {.text = u"Bullet 2", .x = 92, .baseline = 164, .font = body, .color = text},
          {.text = u"Bullet 3", .x = 134, .baseline = 179, .font = body, .color = text},
          {.text = u"Heading 2",
           .x = 8,
           .baseline = 221,
           .font = {kDefaultFamilies, 24, true},
           .color = text},
          {.text = u"Regular Text Sample", .x = 8, .baseline = 257, .font = plain, .color = text},
          {.text = u"Regular Link", .x = 8, .baseline = 338, .font = link, .color = 0x2060A0},
          {.text = u"Followed Link", .x = 8, .baseline = 353, .font = link, .color = text},
          {.text = u"Active Link", .x = 8, .baseline = 368, .font = link, .color = 0xE07830},
      }));
  EXPECT_EQ(scene.height, 379);
  EXPECT_EQ(scene.width, 496);

  EXPECT_FALSE(BuildPreviewScene(v, false, metrics).background_picture.bytes);
  v.background_image = u"/site/junk.png";
  EXPECT_FALSE(BuildPreviewScene(v, true, metrics).background_picture.bytes);
}

TEST(PreviewSceneTest, APageOfPlainText) {
  testing::FixedMetrics metrics;
  const PreviewScene scene = TextScene(u"No theme selected.", metrics);
  EXPECT_EQ(scene.background, kDefaultBackground);
  ASSERT_EQ(scene.texts.size(), 1u);
  EXPECT_EQ((TextRun{scene.texts[0].text, scene.texts[0].x, scene.texts[0].baseline,
                     scene.texts[0].font, scene.texts[0].color}),
            (TextRun{.text = u"No theme selected.",
                     .x = 8,
                     .baseline = 20,
                     .font = {kDefaultFamilies, 16},
                     .color = kDefaultText}));
  EXPECT_TRUE(scene.pictures.empty());
}

}  // namespace
}  // namespace rxTheme
