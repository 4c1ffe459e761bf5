// The picker's list and preview as a host gets them: UTF-8 text by the one
// rule, a missing themes folder named in an error.
#include <rxtheme/picker/host_picker.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "support/theme_package.h"
#include <rxtheme/theme/page_theme.h>

namespace rxTheme {
namespace {

namespace fs = std::filesystem;

TEST(HostPicker, ListsTitlesInUtf8AndPreviewsAPage) {
  const fs::path root = fs::temp_directory_path() / ("rxtheme-host-" + std::to_string(getpid()));
  fs::remove_all(root);
  auto install = [&](const std::string& name, const std::string& title) {
    fs::create_directories(root / name);
    std::ofstream(root / name / (name + ".inf"), std::ios::binary)
        << "[info]\r\ntitle=" << title << "\r\n";
    std::ofstream(root / name / (name + ".elm"), std::ios::binary)
        << testing::SamplePackage("harbor");
  };
  install("cafe", "Caf\xC3\xA9");  // written in UTF-8
  install("dawn",
          "\x93"
          "Dawn\x94");  // the single-byte code page's quotation marks
  install("zeta", "Zeta");
  const std::vector<InstalledTheme> themes = InstalledThemes(root.string());
  ASSERT_EQ(themes.size(), 3u);
  std::vector<std::string> titles;
  for (const InstalledTheme& theme : themes) titles.push_back(theme.title);
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Caf\xC3\xA9"), titles.end());
  EXPECT_NE(std::find(titles.begin(), titles.end(),
                      "\xC2\x93"
                      "Dawn\xC2\x94"),
            titles.end());
  const auto zeta = std::find_if(themes.begin(), themes.end(),
                                 [](const InstalledTheme& theme) { return theme.title == "Zeta"; });
  ASSERT_NE(zeta, themes.end());
  EXPECT_EQ(zeta->package, (root / "zeta" / "zeta.elm").string());

  PageTheme page = PageTheme::Load(zeta->package, (root / "page").string());
  const std::string html = PreviewPage(page, true, false, true);
  EXPECT_EQ(page.ColorIndex(), 1);
  EXPECT_EQ(page.GraphIndex(), 0);
  EXPECT_EQ(html.rfind("<body", 0), 0u);
  EXPECT_NE(html.find(page.Value(ThemeSection::kColor, "body", "BackgroundColor")),
            std::string::npos);
  EXPECT_NE(html.find((root / "page" / "banner.png").string()), std::string::npos);

  try {
    InstalledThemes((root / "nowhere").string());
    ADD_FAILURE() << "a missing themes folder lists";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.Number(), kPathNotFound);
    EXPECT_NE(std::string(error.what()).find("nowhere"), std::string::npos);
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace rxTheme
