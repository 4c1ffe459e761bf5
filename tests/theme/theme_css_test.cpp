// The theme as a style sheet: safe CSS texts for values, the custom
// properties per variant, and the page's current look with its switches and
// custom values.
#include <gtest/gtest.h>

#include <string>

#include "support/mem_env.h"
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include "theme/css_text.h"
#include <rxtheme/theme/theme.h>
#include <rxtheme/theme/theme_css.h>
#include "theme_test_util.h"

namespace rxTheme {
namespace {

using testing::MakePackage;
using testing::Rule;

TEST(CssText, KebabCaseSplitsWordsAndNumbers) {
  EXPECT_EQ(KebabCase(u"BackgroundColor"), "background-color");
  EXPECT_EQ(KebabCase(u"NavButtonHomeNormal"), "nav-button-home-normal");
  EXPECT_EQ(KebabCase(u"ListImage1"), "list-image-1");
  EXPECT_EQ(KebabCase(u"Color"), "color");
}

TEST(CssText, QuotedTextCannotLeaveItsString) {
  EXPECT_EQ(CssQuoted(u"Open Sans"), "\"Open Sans\"");
  // Every character that could end the string, the declaration, the rule or
  // a <style> element, or open a comment, is an escape followed by a space.
  EXPECT_EQ(CssQuoted(u"a\";}{<>&*\\\n"), "\"a\\22 \\3B \\7D \\7B \\3C \\3E \\26 \\2A \\5C \\A \"");
  EXPECT_EQ(CssQuoted(u"D\u00e4m"), "\"D\\E4 m\"");
  EXPECT_EQ(CssQuoted(std::u16string(1, u'\0')), "\"\\FFFD \"");
}

TEST(CssText, ColorsOnlyAsSixHexDigits) {
  EXPECT_EQ(CssColorText(u"#a0b1C2"), "#A0B1C2");
  EXPECT_EQ(CssColorText(u" #A0B1C2 "), "#A0B1C2");
  EXPECT_FALSE(CssColorText(u"red"));
  EXPECT_FALSE(CssColorText(u"#A0B"));
  EXPECT_FALSE(CssColorText(u"#A0B1C2;x"));
  EXPECT_FALSE(CssColorText(u"#G0B1C2"));
}

TEST(CssText, PictureNamesArePercentEncodedRelativeNames) {
  EXPECT_EQ(CssPictureUrl(u"bullet1.png"), "url(\"bullet1.png\")");
  EXPECT_EQ(CssPictureUrl(u"a b\").png"), "url(\"a%20b%22%29.png\")");
  // A path cannot climb out of the folder: "/" is encoded too.
  EXPECT_EQ(CssPictureUrl(u"../x.png"), "url(\"..%2Fx.png\")");
  EXPECT_EQ(CssPictureUrl(u"\u00e9.png"), "url(\"%C3%A9.png\")");
  EXPECT_EQ(CssPictureUrl(u"b.png", "pics/"), "url(\"pics/b.png\")");
}

TEST(CssText, FontFamiliesQuotedExceptGenericOnes) {
  EXPECT_EQ(CssFontFamily(u"Verdana, Arial, sans-serif"), "\"Verdana\", \"Arial\", sans-serif");
  EXPECT_EQ(CssFontFamily(u"'Open Sans' ,\"Serif\""), "\"Open Sans\", \"Serif\"");
  EXPECT_EQ(CssFontFamily(u"\"A, B\", C"), "\"A, B\", \"C\"");
  // An unclosed quote runs to the end of the value.
  EXPECT_EQ(CssFontFamily(u"\"A, B"), "\"\\22 A, B\"");
  EXPECT_EQ(CssFontFamily(u"A;} body{display:none"), "\"A\\3B \\7D  body\\7B display:none\"");
  EXPECT_FALSE(CssFontFamily(u" , ''"));
}

TEST(CssText, KeywordsFromTheirListsOnly) {
  EXPECT_EQ(CssKeyword(u"FontWeight", u"Bold"), "bold");
  EXPECT_EQ(CssKeyword(u"FontWeight", u"700"), "700");
  EXPECT_FALSE(CssKeyword(u"FontWeight", u"0"));
  EXPECT_FALSE(CssKeyword(u"FontWeight", u"1001"));
  EXPECT_FALSE(CssKeyword(u"FontWeight", u"bold; color: red"));
  EXPECT_EQ(CssKeyword(u"TextAlign", u" center "), "center");
  EXPECT_FALSE(CssKeyword(u"TextAlign", u"middle"));
  EXPECT_EQ(CssKeyword(u"VerticalAlign", u"middle"), "middle");
}

// A theme loaded from a package in memory.
class ThemeCssTest : public ::testing::Test {
 protected:
  ThemeCssTest() : scope_(env_) {
    env_.AddFolder(u"/pkg");
    env_.AddFolder(u"/w");
    theme_.WorkingFolder(u"/w");
    const std::string color0 = Rule("body", "color: rgb(1, 2, 3);") +
                               Rule("a:link", "color: rgb(16, 32, 48);") +
                               Rule("h1", "color: rgb(255, 0, 0);");
    const std::string color1 = Rule("body", "color: rgb(4, 5, 6);");
    const std::string graph0 = Rule(".mstheme", "list-image-1: url(dot.png);") +
                               Rule(".mstheme-bannertxt", "font-weight: heavy;");
    const std::string graph1 = Rule(".mstheme", "separator-image: url(line.png);");
    const std::string base = Rule("h1", "font-family: Georgia, serif;") +
                             Rule("body", "background-image: url(back.png);");
    env_.AddFile(u"/pkg/t.elm", MakePackage("2.0", {{"color0.css", color0},
                                                    {"color1.css", color1},
                                                    {"graph0.css", graph0},
                                                    {"graph1.css", graph1},
                                                    {"theme.css", base}}));
    theme_.Load(u"/pkg/t.elm");
  }

  MemEnv env_;
  ScopedEnv scope_;
  CTheme theme_;
};

// The declarations of one block of the sheet ("" when it has none).
std::string Block(const std::string& css, const std::string& selector) {
  const size_t at = css.find(selector + " {\n");
  if (at == std::string::npos) return "";
  const size_t start = at + selector.size() + 3;
  return css.substr(start, css.find("}\n", start) - start);
}

TEST_F(ThemeCssTest, VariantsGoToTheirOwnBlocks) {
  const ThemeCss css = WriteThemeCss(theme_);
  const std::string root = Block(css.text, ":root");
  EXPECT_NE(root.find("  --rx-color-body-color: #010203;\n"), std::string::npos);
  EXPECT_NE(root.find("  --rx-color-link-color: #102030;\n"), std::string::npos);
  EXPECT_NE(root.find("  --rx-graph-base-list-image-1: url(\"dot.png\");\n"), std::string::npos);
  EXPECT_NE(root.find("  --rx-base-h1-font-family: \"Georgia\", serif;\n"), std::string::npos);
  EXPECT_EQ(root.find("separator"), std::string::npos);  // variant 1 only
  // Variant 1 sets what differs; what it lacks is reset, as its get is "".
  EXPECT_EQ(Block(css.text, ":root[data-rx-colors=\"vivid\"]"),
            "  --rx-color-link-color: initial;\n  --rx-color-body-color: #040506;\n"
            "  --rx-color-h1-color: initial;\n");
  EXPECT_EQ(Block(css.text, ":root[data-rx-graphics=\"active\"]"),
            "  --rx-graph-base-separator-image: url(\"line.png\");\n"
            "  --rx-graph-base-list-image-1: initial;\n");
  EXPECT_NE(css.text.find(":root[data-rx-background] body {\n  background-image: "
                          "var(--rx-base-body-background-image);\n}\n"),
            std::string::npos);
  // The keyword the sheet cannot take is left out, and said so.
  ASSERT_EQ(css.warnings.size(), 1u);
  EXPECT_EQ(css.warnings[0],
            u"rx-graph-bannertxt-font-weight (variant 0): \"heavy\" is none of the keywords of "
            u"font-weight; left out");
  EXPECT_EQ(root.find("heavy"), std::string::npos);
}

TEST_F(ThemeCssTest, CurrentLookHonorsSwitchesAndCustomValues) {
  theme_.ColorIndex(1);
  theme_.GraphIndex(0);      // after a load, the objects serve the last sheet's variant
  theme_.IncludePath(true);  // pictures are still written as names
  theme_.UseBackgroundImage(true);
  theme_.Color(u"link")->Color(u"#ABCDEF");
  theme_.Graph(u"base")->ListImage1(u"mine.png");
  ThemeCssOptions options;
  options.look = ValueChoice::kCurrentLook;
  options.picture_folder_url = "https://example.test/t/";

  std::string css = WriteThemeCss(theme_, options).text;
  // Custom values wait for UseCustomSettings.
  EXPECT_NE(Block(css, ":root").find("--rx-color-body-color: #040506;"), std::string::npos);
  EXPECT_EQ(css.find("#ABCDEF"), std::string::npos);
  EXPECT_NE(css.find("--rx-graph-base-list-image-1: url(\"https://example.test/t/dot.png\");"),
            std::string::npos);
  EXPECT_EQ(css.find("data-rx-"), std::string::npos);
  EXPECT_NE(css.find("\nbody {\n  background-image: var(--rx-base-body-background-image);\n}\n"),
            std::string::npos);

  theme_.UseCustomSettings(true);
  css = WriteThemeCss(theme_, options).text;
  EXPECT_NE(css.find("--rx-color-link-color: #ABCDEF;"), std::string::npos);
  EXPECT_NE(css.find("--rx-graph-base-list-image-1: url(\"https://example.test/t/mine.png\");"),
            std::string::npos);

  theme_.UseThemeSettings(false);
  theme_.UseBackgroundImage(false);
  css = WriteThemeCss(theme_, options).text;
  EXPECT_EQ(Block(css, ":root"),
            "  --rx-color-link-color: #ABCDEF;\n"
            "  --rx-graph-base-list-image-1: url(\"https://example.test/t/mine.png\");\n");
  EXPECT_EQ(css.find("\nbody {\n  background-image"), std::string::npos);

  // A variant other than 0 or 1 fails the whole sheet, as a get does.
  theme_.UseThemeSettings(true);
  theme_.ColorIndex(2);
  EXPECT_EQ(testing::ErrorNumberOf([&] { WriteThemeCss(theme_, options); }), 9);
}

}  // namespace
}  // namespace rxTheme
