#include "picker/preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "platform/mem_env.h"
#include "settings/base_object.h"
#include "settings/color_object.h"
#include "settings/graph_object.h"
#include "support/theme_package.h"
#include "theme/theme.h"

namespace rxTheme {
namespace {

// The page as a reader of the theme would write it by hand: the literal line
// texts with the values the settings objects report now.
WString ExpectedPage(CTheme& t, bool background) {
  auto color = [&](const char16_t* style) { return t.Color(style)->Color(); };
  const WString bg = t.Color(u"body")->BackgroundColor();
  const WString text = color(u"body"), link = color(u"link"), vlink = color(u"visited"),
                alink = color(u"active");
  auto graph = t.Graph(u"base");
  const WString table =
      u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\r\n";
  WString page;
  if (background) {
    page += u"<body background=\"" + t.Base(u"body")->BackgroundImage() + u"\"";
  } else {
    page += u"<body";
  }
  page += u" bgcolor=\"" + bg + u"\" text=\"" + text + u"\" link=\"" + link + u"\" vlink=\"" +
          vlink + u"\" alink=\"" + alink + u"\">\r\n";
  page += u"<img src=\"" + graph->NavBannerImage() + u"\">\r\n";
  page += u"<h1>\r\n   <font face=\"" + t.Base(u"h1")->FontFamily() + u"\" color=\"" +
          color(u"h1") + u"\">\r\n       Heading 1\r\n   </font>\r\n</h1>\r\n";
  page += u"<font face=\"" + t.Base(u"body")->FontFamily() + u"\">\r\n";
  page += table + u"<tr>\r\n<td valign=\"baseline\" width=\"42\"><img src=\"" +
          graph->ListImage1() +
          u"\" width=\"20\" height=\"20\" hspace=\"11\"></td>\r\n"
          u"<td valign=\"top\" width=\"100%\">Bullet 1\r\n";
  page += table + u"<tr>\r\n<td valign=\"baseline\" width=\"42\"><img src=\"" +
          graph->ListImage2() +
          u"\" width=\"12\" height=\"12\" hspace=\"15\"></td>\r\n"
          u"<td valign=\"top\" width=\"100%\">Bullet 2\r\n";
  page += table + u"<tr>\r\n<td valign=\"baseline\" width=\"42\"><img src=\"" +
          graph->ListImage3() +
          u"\" width=\"12\" height=\"12\" hspace=\"15\"></td>\r\n"
          u"<td valign=\"top\" width=\"100%\">Bullet 3\r\n";
  for (int level = 0; level < 3; ++level) page += u"</td>\r\n</tr>\r\n</table>\r\n";
  page += u"</font>\r\n";
  page += u"<h2>\r\n   <font face=\"" + t.Base(u"h2")->FontFamily() + u"\" color=\"" +
          color(u"h2") + u"\">\r\n       Heading 2\r\n   </font>\r\n</h2>\r\n";
  page += u"Regular Text Sample<br><br>\r\n";
  page += u"<img src=\"" + graph->SeparatorImage() + u"\"><br><br>\r\n";
  page += u"<img src=\"" + graph->NavButtonPrevNormal() + u"\">\r\n";
  page += u"<img src=\"" + graph->NavButtonHomeNormal() + u"\">\r\n";
  page += u"<img src=\"" + graph->NavButtonUpNormal() + u"\">\r\n";
  page += u"<img src=\"" + graph->NavButtonNextNormal() + u"\">\r\n";
  page += u"<br>\r\n";
  page += u"<u><font color=\"" + link + u"\">Regular Link</font></u><br>\r\n";
  page += u"<u><font color=\"" + vlink + u"\">Followed Link</font></u><br>\r\n";
  page += u"<u><font color=\"" + alink + u"\">Active Link</font></u><br>\r\n";
  page += u"</body>\r\n";
  return page;
}

size_t CountLines(const WString& page) { return std::count(page.begin(), page.end(), u'\n'); }

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.AddFile(u"/themes/harbor/harbor.elm", testing::SamplePackage("harbor"));
    env_.AddFolder(u"/work");
    theme_->WorkingFolder(u"/work");
    theme_->Load(u"/themes/harbor/harbor.elm");
  }

  MemEnv env_;
  ScopedEnv scoped_{env_};
  std::shared_ptr<CTheme> theme_ = std::make_shared<CTheme>();
};

TEST_F(PreviewTest, EveryCombinationOfOptionsGivesTheDescribedPage) {
  WString pages[2][2][2];
  for (int vivid = 0; vivid < 2; ++vivid) {
    for (int active = 0; active < 2; ++active) {
      for (int background = 0; background < 2; ++background) {
        SCOPED_TRACE(::testing::Message()
                     << "vivid " << vivid << " active " << active << " background " << background);
        theme_->IncludePath(false);
        WString html = u"left over";
        BuildPreview(*theme_, vivid, active, background, html);
        EXPECT_EQ(theme_->ColorIndex(), vivid);
        EXPECT_EQ(theme_->GraphIndex(), active);
        EXPECT_TRUE(theme_->IncludePath());
        EXPECT_EQ(ToUtf8(html), ToUtf8(ExpectedPage(*theme_, background)));
        EXPECT_EQ(CountLines(html), 46u);
        pages[vivid][active][background] = html;
      }
    }
  }
  // The options reach the page: the sample theme's variants differ.
  EXPECT_NE(pages[1][0][0], pages[0][0][0]);
  EXPECT_NE(ToUtf8(pages[0][0][0]).find("<img src=\"/work/banner.png\">"), std::string::npos);
  EXPECT_NE(ToUtf8(pages[0][1][0]).find("<img src=\"/work/banner-a.png\">"), std::string::npos);
}

TEST_F(PreviewTest, AThemeWithoutValuesStillGivesEveryLine) {
  CTheme empty;
  WString html;
  BuildPreview(empty, false, false, true, html);
  EXPECT_EQ(CountLines(html), 46u);
  EXPECT_EQ(ToUtf8(html), ToUtf8(ExpectedPage(empty, true)));
  EXPECT_EQ(html.rfind(u"<body background=\"\" bgcolor=\"\" text=\"\"", 0), 0u);
}

TEST_F(PreviewTest, ValuesAreInsertedUnescapedAndCustomValuesApply) {
  theme_->UseCustomSettings(true);
  theme_->Color(u"link")->Color(u"\"><script>");
  WString html;
  BuildPreview(*theme_, false, false, false, html);
  EXPECT_NE(html.find(u"link=\"\"><script>\""), WString::npos);
  EXPECT_NE(html.find(u"<u><font color=\"\"><script>\">Regular Link"), WString::npos);
}

}  // namespace
}  // namespace rxTheme
