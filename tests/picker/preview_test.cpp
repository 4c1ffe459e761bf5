#include "picker/preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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
  const WString link = color(u"link"), vlink = color(u"visited"), alink = color(u"active");
  auto graph = t.Graph(u"base");
  auto heading = [&](const WString& n) {
    return u"<h" + n + u">\r\n   <font face=\"" + t.Base(u"h" + n)->FontFamily() + u"\" color=\"" +
           color((u"h" + n).c_str()) + u"\">\r\n       Heading " + n + u"\r\n   </font>\r\n</h" +
           n + u">\r\n";
  };
  WString page = u"<body";
  if (background) page += u" background=\"" + t.Base(u"body")->BackgroundImage() + u"\"";
  page += u" bgcolor=\"" + t.Color(u"body")->BackgroundColor() + u"\" text=\"" + color(u"body") +
          u"\" link=\"" + link + u"\" vlink=\"" + vlink + u"\" alink=\"" + alink + u"\">\r\n";
  page += u"<img src=\"" + graph->NavBannerImage() + u"\">\r\n" + heading(u"1");
  page += u"<font face=\"" + t.Base(u"body")->FontFamily() + u"\">\r\n";
  const WString bullets[][3] = {{graph->ListImage1(), u"20", u"11"},
                                {graph->ListImage2(), u"12", u"15"},
                                {graph->ListImage3(), u"12", u"15"}};
  for (int i = 0; i < 3; ++i) {
    const auto& [image, size, hspace] = bullets[i];
    page +=
        u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\r\n"
        u"<tr>\r\n<td valign=\"baseline\" width=\"42\"><img src=\"" +
        image + u"\" width=\"" + size + u"\" height=\"" + size + u"\" hspace=\"" + hspace +
        u"\"></td>\r\n<td valign=\"top\" width=\"100%\">Bullet " + char16_t(u'1' + i) + u"\r\n";
  }
  for (int level = 0; level < 3; ++level) page += u"</td>\r\n</tr>\r\n</table>\r\n";
  page += u"</font>\r\n" + heading(u"2") + u"Regular Text Sample<br><br>\r\n";
  page += u"<img src=\"" + graph->SeparatorImage() + u"\"><br><br>\r\n";
  for (const WString& nav : {graph->NavButtonPrevNormal(), graph->NavButtonHomeNormal(),
                             graph->NavButtonUpNormal(), graph->NavButtonNextNormal()}) {
    page += u"<img src=\"" + nav + u"\">\r\n";
  }
  page += u"<br>\r\n";
  page += u"<u><font color=\"" + link + u"\">Regular Link</font></u><br>\r\n";
  page += u"<u><font color=\"" + vlink + u"\">Followed Link</font></u><br>\r\n";
  page += u"<u><font color=\"" + alink + u"\">Active Link</font></u><br>\r\n";
  return page + u"</body>\r\n";
}

class PreviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.AddFile(u"/themes/harbor/harbor.elm", testing::SamplePackage("harbor"));
    env_.AddFolder(u"/site");
    theme_->WorkingFolder(u"/site");
    theme_->Load(u"/themes/harbor/harbor.elm");
  }

  MemEnv env_;
  ScopedEnv scoped_{env_};
  std::shared_ptr<CTheme> theme_ = std::make_shared<CTheme>();
};

TEST_F(PreviewTest, EveryCombinationOfOptionsGivesTheDescribedPage) {
  std::vector<WString> pages;
  for (int options = 0; options < 8; ++options) {
    const bool vivid = options & 4, active = options & 2, background = options & 1;
    SCOPED_TRACE(::testing::Message()
                 << "vivid " << vivid << " active " << active << " background " << background);
    theme_->IncludePath(false);
    WString html = u"left over";
    BuildPreview(*theme_, vivid, active, background, html);
    EXPECT_EQ(theme_->ColorIndex(), vivid);
    EXPECT_EQ(theme_->GraphIndex(), active);
    EXPECT_TRUE(theme_->IncludePath());
    EXPECT_EQ(ToUtf8(html), ToUtf8(ExpectedPage(*theme_, background)));
    EXPECT_EQ(std::count(html.begin(), html.end(), u'\n'), 46);
    // The sample theme's variants differ, so the options reach the page.
    EXPECT_NE(
        html.find(active ? u"<img src=\"/site/banner-a.png\">" : u"<img src=\"/site/banner.png\">"),
        WString::npos);
    pages.push_back(html);
  }
  EXPECT_NE(pages[4], pages[0]);
}

// Values go in as they are, also when empty, and custom values apply.
TEST_F(PreviewTest, ValuesAreInsertedUnescaped) {
  CTheme empty;
  WString html;
  BuildPreview(empty, false, false, true, html);
  EXPECT_EQ(ToUtf8(html), ToUtf8(ExpectedPage(empty, true)));
  EXPECT_EQ(html.rfind(u"<body background=\"\" bgcolor=\"\" text=\"\"", 0), 0u);

  theme_->UseCustomSettings(true);
  theme_->Color(u"link")->Color(u"\"><script>");
  BuildPreview(*theme_, false, false, false, html);
  EXPECT_NE(html.find(u"link=\"\"><script>\""), WString::npos);
  EXPECT_NE(html.find(u"<u><font color=\"\"><script>\">Regular Link"), WString::npos);
}

// The escaping form differs only in the values, each written with character
// references for &, <, > and ".
TEST_F(PreviewTest, TheEscapingFormEscapesEveryValueAndNothingElse) {
  theme_->UseCustomSettings(true);
  theme_->Color(u"link")->Color(u"\"><b>&amp;");
  theme_->Base(u"h1")->FontFamily(u"A<B>");
  WString plain, escaped;
  BuildPreview(*theme_, false, false, true, plain);
  BuildPreview(*theme_, false, false, true, escaped, PreviewEscaping::kHtml);
  for (const auto& [raw, safe] :
       {std::pair<WString, WString>{u"\"><b>&amp;", u"&quot;&gt;&lt;b&gt;&amp;amp;"},
        {u"A<B>", u"A&lt;B&gt;"}}) {
    for (size_t at = plain.find(raw); at != WString::npos; at = plain.find(raw, at + safe.size())) {
      plain.replace(at, raw.size(), safe);
    }
  }
  EXPECT_EQ(ToUtf8(escaped), ToUtf8(plain));
  EXPECT_NE(escaped.find(u"link=\"&quot;&gt;&lt;b&gt;&amp;amp;\""), WString::npos);
}

}  // namespace
}  // namespace rxTheme
