// The preview scene: picture headers, and the page laid out with fixed text
// metrics from pictures held in an in-memory file system.
#include <rxtheme/picker/preview_scene.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <rxtheme/picker/preview.h>
#include "picker/picture_size.h"
#include "support/fixed_metrics.h"
#include "support/mem_env.h"

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
// `bytes` bytes of `value`, lowest first; bytes beyond its 32 bits are 0.
std::string LittleEndian(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(i < 4 ? value >> (8 * i) : 0);
  return out;
}
// A BMP file's headers: the 12-byte core header or the 40-byte info header.
std::string Bmp(int32_t width, int32_t height, uint32_t header = 40) {
  std::string bytes = "BM" + LittleEndian(0, 12) + LittleEndian(header, 4);
  if (header == 12)
    return bytes + LittleEndian(width, 2) + LittleEndian(height, 2) + std::string("\1\0\x18\0", 4);
  return bytes + LittleEndian(static_cast<uint32_t>(width), 4) +
         LittleEndian(static_cast<uint32_t>(height), 4) + std::string(28, '\0');
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
      {Bmp(88, 31), PictureSize{88, 31}},
      {Bmp(88, -31), PictureSize{88, 31}},  // stored top row first
      {Bmp(16, 9, 12), PictureSize{16, 9}},
      {Bmp(16, 9, 20), std::nullopt},  // no such header
      {Bmp(-16, 9), std::nullopt},
      {"BM\x36\0\0\0", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureSizeOf(c.bytes), c.size) << c.bytes.size();
}

TEST(PreviewSceneTest, NamesAndColors) {
  EXPECT_EQ(FontFamilies(u" 'Times New Roman' ,\t\"serif\",, "),
            (std::vector<WString>{u"Times New Roman", u"serif"}));
  const std::pair<const char16_t*, Rgb> colors[] = {
      {u"#2060a0", 0x2060A0},
      {u" #2060A0\t", 0x2060A0},
      {u"#a3c", 0xAA33CC},
      {u"red", 0xFF0000},
      {u"DarkSlateGray", 0x2F4F4F},
      {u"aliceblue", 0xF0F8FF},
      {u"yellowgreen", 0x9ACD32},
      {u"rgb(1,2,3)", 0x010203},
      {u"RGB( 255 , 0 ,128 )", 0xFF0080},
      {u"rgb(300, -5, 50%)", 0xFF0080},
      {u"rgb(100%, 0.4, 0%)", 0xFF0000},
  };
  for (const auto& [text, rgb] : colors) EXPECT_EQ(ParseColor(text), rgb) << ToUtf8(text);
  for (const char16_t* bad : {u"", u"#2060a", u"#20g0a0", u"#", u"redd", u"rgb(1,2)",
                              u"rgb(1,2,3,4)", u"rgb(1,,3)", u"rgb(1,2,x)", u"rgb 1,2,3"}) {
    EXPECT_EQ(ParseColor(bad), std::nullopt) << ToUtf8(bad);
  }
}

TEST(PreviewSceneTest, TheFaceAFamilyListIsPaintedWith) {
  auto installed = [](std::u16string_view family) { return family == u"Verdana"; };
  const std::pair<const char16_t*, FontFace> cases[] = {
      {u"Verdana, serif", {u"Verdana", std::nullopt}},
      {u"Nowhere, Sans-Serif, Verdana", {u"Arial", GenericFamily::kSansSerif}},
      {u"monospace", {u"Courier New", GenericFamily::kMonospace}},
      {u"cursive", {u"Comic Sans MS", GenericFamily::kCursive}},
      {u"fantasy", {u"Impact", GenericFamily::kFantasy}},
      {u"Nowhere", {u"Times New Roman", GenericFamily::kSerif}},  // the browser's default
      {u"", {u"Times New Roman", GenericFamily::kSerif}},
  };
  for (const auto& [families, face] : cases) {
    EXPECT_EQ(ChooseFace(families, installed), face) << ToUtf8(families);
  }
}

// A scene as lines of text: "picture x,y wxh" and "text x,baseline font
// size [bold] [underline] #color", in the scene's order.
std::vector<std::string> Describe(const PreviewScene& scene) {
  std::vector<std::string> lines;
  char line[160];
  for (const ScenePicture& p : scene.pictures) {
    std::snprintf(line, sizeof line, "picture %d,%d %dx%d%s", p.x, p.y, p.width, p.height,
                  p.bytes ? "" : " (no bytes)");
    lines.push_back(line);
  }
  for (const SceneText& t : scene.texts) {
    std::snprintf(line, sizeof line, "%s %d,%d %s %d%s%s #%06X", ToUtf8(t.text).c_str(), t.x,
                  t.baseline, ToUtf8(t.font.families).c_str(), t.font.pixel_size,
                  t.font.bold ? " bold" : "", t.font.underline ? " underline" : "", t.color);
    lines.push_back(line);
  }
  return lines;
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
  env.AddFile(u"/site/nav.bmp", Bmp(28, 28));
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
  v.active_link_color = u"rgb(224, 120, 48)";
  v.separator_image = u"/site/sep.png";
  v.nav_button_images[0] = u"/site/nav.gif";
  v.nav_button_images[1] = u"/site/junk.png";  // no picture: no room
  v.nav_button_images[2] = u"/site/nav.gif";
  v.nav_button_images[3] = u"/site/nav.bmp";
  testing::FixedMetrics metrics;
  const PreviewScene scene = BuildPreviewScene(v, true, metrics);

  EXPECT_EQ(scene.background, 0xF4F8FCu);
  const ScenePicture& tile = scene.background_picture;
  ASSERT_TRUE(tile.bytes);
  EXPECT_EQ(*tile.bytes, Jpeg(64, 48));
  EXPECT_EQ(std::vector<int>({tile.x, tile.y, tile.width, tile.height}),
            std::vector<int>({0, 0, 64, 48}));
  EXPECT_EQ(Describe(scene), (std::vector<std::string>{
                                 "picture 8,8 480x56",    // the banner; h1 21 below
                                 "picture 19,137 20x20",  // bullet 1, 11 in, on its row's top
                                 "picture 8,275 480x8",   // separator after two line breaks
                                 "picture 8,298 28x28",   // buttons a space apart, and two
                                 "picture 52,298 28x28",  // around the one without a picture
                                 "picture 88,298 28x28",
                                 "Heading 1 8,110 Georgia, serif 32 bold #1E5892",
                                 "Bullet 1 50,149 Verdana 16 #182840",
                                 "Bullet 2 92,164 Verdana 16 #182840",
                                 "Bullet 3 134,179 Verdana 16 #182840",
                                 "Heading 2 8,221 Times New Roman, serif 24 bold #182840",
                                 "Regular Text Sample 8,257 Times New Roman, serif 16 #182840",
                                 "Regular Link 8,338 Times New Roman, serif 16 underline #2060A0",
                                 "Followed Link 8,353 Times New Roman, serif 16 underline #182840",
                                 "Active Link 8,368 Times New Roman, serif 16 underline #E07830",
                             }));
  EXPECT_EQ(std::pair(scene.width, scene.height), std::pair(496, 379));

  EXPECT_FALSE(BuildPreviewScene(v, false, metrics).background_picture.bytes);
  v.background_image = u"/site/junk.png";
  EXPECT_FALSE(BuildPreviewScene(v, true, metrics).background_picture.bytes);
}

TEST(PreviewSceneTest, APageOfPlainText) {
  testing::FixedMetrics metrics;
  const PreviewScene scene = TextScene(u"No theme selected.", metrics);
  EXPECT_EQ(scene.background, kDefaultBackground);
  EXPECT_EQ(Describe(scene),
            std::vector<std::string>{"No theme selected. 8,20 Times New Roman, serif 16 #000000"});
}

}  // namespace
}  // namespace rxTheme
