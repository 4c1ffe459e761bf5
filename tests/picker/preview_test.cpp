#include <rxtheme/picker/preview.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/theme/theme.h>
#include "support/mem_env.h"
#include "support/theme_package.h"

namespace rxTheme {
namespace {

// The sample theme's page with every option off or every option on, kept
// byte for byte beside this test.
std::string Golden(const std::string& name) {
  return testing::ReadAll(std::filesystem::path(RXTHEME_SOURCE_DIR) / "tests/picker/data" / name);
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
    if (options == 0 || options == 7) {
      EXPECT_EQ(ToUtf8(html),
                Golden(options ? "harbor-all-options.html" : "harbor-no-options.html"));
    }
    EXPECT_EQ(html.rfind(background ? u"<body background=\"/site/background.png\" bgcolor=\"#"
                                    : u"<body bgcolor=\"#",
                         0),
              0u);
    // The sample theme's variants differ, so the options reach the page.
    EXPECT_NE(
        html.find(active ? u"<img src=\"/site/banner-a.png\">" : u"<img src=\"/site/banner.png\">"),
        WString::npos);
    pages.push_back(html);
  }
  EXPECT_NE(pages[4], pages[0]);
}

// Values go in as they are, also when empty, and custom values apply. The
// escaping form differs only in the values, each written with character
// references for &, <, > and ".
TEST_F(PreviewTest, ValuesUnescapedOrEscapedAndNothingElse) {
  CTheme empty;
  WString html;
  BuildPreview(empty, false, false, true, html);
  EXPECT_EQ(std::count(html.begin(), html.end(), u'\n'), 46);
  EXPECT_EQ(html.rfind(u"<body background=\"\" bgcolor=\"\" text=\"\"", 0), 0u);

  theme_->UseCustomSettings(true);
  theme_->Color(u"link")->Color(u"\"><b>&amp;");
  theme_->Base(u"h1")->FontFamily(u"A<B>");
  WString plain, escaped;
  BuildPreview(*theme_, false, false, true, plain);
  BuildPreview(*theme_, false, false, true, escaped, PreviewEscaping::kHtml);
  EXPECT_NE(plain.find(u"<u><font color=\"\"><b>&amp;\">Regular Link"), WString::npos);
  for (const auto& [raw, safe] :
       {std::pair<WString, WString>{u"\"><b>&amp;", u"&quot;&gt;&lt;b&gt;&amp;amp;"},
        {u"A<B>", u"A&lt;B&gt;"}}) {
    for (size_t at = plain.find(raw); at != WString::npos; at = plain.find(raw, at + safe.size())) {
      plain.replace(at, raw.size(), safe);
    }
  }
  EXPECT_EQ(ToUtf8(escaped), ToUtf8(plain));
}

}  // namespace
}  // namespace rxTheme
