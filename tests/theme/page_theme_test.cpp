// PageTheme, the host's safe way to a page's theme, on the real file system:
// paths checked before anything is written, the current directory left
// alone, variants that match what the getters serve, state restored whole or
// not at all, UTF-8 text both ways.
#include <rxtheme/theme/page_theme.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "persist/bag_access.h"
#include "persist/contents_image.h"
#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/host_text.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include "support/theme_package.h"
#include <rxtheme/theme/theme.h>

namespace rxTheme {
namespace {

namespace fs = std::filesystem;
using testing::MakePackage;
using testing::SamplePackage;

class PageThemeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("rxtheme-page-" + std::to_string(getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    here_ = fs::current_path();
  }
  void TearDown() override {
    fs::current_path(here_);
    fs::remove_all(root_);
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    std::ofstream(root_ / name, std::ios::binary) << bytes;
    return (root_ / name).string();
  }
  std::string Path(const std::string& name) const { return (root_ / name).string(); }

  fs::path root_;
  fs::path here_;
};

// The error's number, with its description checked to name `path`.
int32_t ErrorNaming(const std::function<void()>& step, const std::string& path) {
  try {
    step();
  } catch (const AutomationError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    return error.Number();
  }
  return 0;
}

TEST_F(PageThemeTest, LoadChecksBothPathsBeforeWritingAnything) {
  const std::string harbor = Write("harbor.elm", SamplePackage("harbor"));
  const std::string text = Write("notes.txt", "just some notes\n");
  const std::string cut = Write("cut.elm", "1.0\n3\na.css,1\n");
  const std::string page = Path("page");
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(Path("missing.elm"), page); }, Path("missing.elm")),
            kFileNotFound);
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(root_.string(), page); }, root_.string()),
            kFileNotFound);
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(text, page); }, text), kInvalidProcedureCall);
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(cut, page); }, cut), kInvalidProcedureCall);
  const std::string deep = Path("no/such/folder");
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(harbor, deep); }, deep), kPathNotFound);
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Load(harbor, text); }, text), kPathNotFound);
  // Nothing was made: no missing package created empty, no folder.
  EXPECT_FALSE(fs::exists(Path("missing.elm")));
  EXPECT_FALSE(fs::exists(page));
  EXPECT_FALSE(fs::exists(Path("no")));
}

TEST_F(PageThemeTest, LoadWritesThePicturesWithoutChangingTheCurrentDirectory) {
  const std::string harbor = Write("harbor.elm", SamplePackage("harbor"));
  fs::create_directories(root_ / "elsewhere");
  fs::current_path(root_ / "elsewhere");
  PageTheme page = PageTheme::Load(harbor, "page", 1, 1);  // relative to the current directory
  EXPECT_EQ(fs::current_path(), root_ / "elsewhere");
  EXPECT_TRUE(fs::exists(root_ / "elsewhere" / "page" / "banner.png"));
  size_t strays = 0;
  for (const auto& entry : fs::directory_iterator(root_ / "elsewhere"))
    strays += entry.is_regular_file();
  EXPECT_EQ(strays, 0u);

  // The indexes report the variants served, and they are what the exact
  // class serves after choosing the same ones.
  EXPECT_EQ(page.ColorIndex(), 1);
  EXPECT_EQ(page.GraphIndex(), 1);
  CTheme exact;
  exact.WorkingFolder(Widen((root_ / "exact").string()));
  exact.Load(Widen(harbor));
  fs::current_path(here_);
  exact.ColorIndex(1);
  exact.GraphIndex(1);
  EXPECT_EQ(page.Value(ThemeSection::kColor, "body", "backgroundcolor"),
            ToUtf8(exact.Color(u"body")->BackgroundColor()));
  page.ColorIndex(0);
  exact.ColorIndex(0);
  EXPECT_EQ(page.Color("BODY").BackgroundColor(), exact.Color(u"body")->BackgroundColor());
}

TEST_F(PageThemeTest, StateRoundTripsAndDamagedStateIsRefusedWhole) {
  PageTheme page = PageTheme::Load(Write("harbor.elm", SamplePackage("harbor")), Path("page"), 1);
  page.Theme().UseCustomSettings(true);
  page.CustomValue(ThemeSection::kColor, "link", "Color", "#204060");
  const std::string state = page.Save();
  page.SaveFile(Path("page.state"));
  EXPECT_EQ(testing::ReadAll(Path("page.state")), state);

  const PageTheme again = PageTheme::RestoreFile(Path("page.state"));
  EXPECT_EQ(again.Save(), state);
  EXPECT_EQ(again.ColorIndex(), 1);
  EXPECT_EQ(again.Value(ThemeSection::kColor, "link", "Color"), "#204060");

  // Every cut of the state, at a unit boundary or not, is refused as a whole.
  for (size_t size : {size_t{0}, size_t{1}, size_t{2}, state.size() / 3, state.size() / 2 + 1,
                      state.size() - 2, state.size() - 1}) {
    EXPECT_EQ(ErrorNaming([&] { PageTheme::Restore(state.substr(0, size)); }, ""),
              size == 0 ? kTypeMismatch : kInvalidContents)
        << size;
  }
  // The theme's own contents cut short inside a whole outer record: decoding
  // alone would restore the part before the cut.
  const WString units = ContentsFromBytes(state);
  PropertyBagX bag;
  bag.Contents(units);
  const std::u16string_view inner = BagAccess::Stored(bag)[0].Text();
  auto field = [](char16_t tag, std::u16string_view text) {
    return WString{tag, static_cast<char16_t>(text.size() & 0xFFFF),
                   static_cast<char16_t>(text.size() >> 16)} +
           WString(text);
  };
  const WString cut_inside = field(1, u"Theme") + field(2, u"rxTheme.CTheme") +
                             field(3, inner.substr(0, inner.size() - 10));
  EXPECT_EQ(ErrorNaming([&] { PageTheme::Restore(ContentsBytes(cut_inside)); }, ""),
            kInvalidContents);
  EXPECT_EQ(ErrorNaming([&] { PageTheme::RestoreFile(Path("none.state")); }, Path("none.state")),
            kFileNotFound);
}

TEST_F(PageThemeTest, UnknownNamesRaiseInsteadOfGivingNull) {
  const PageTheme page;
  EXPECT_EQ(ErrorNaming([&] { page.Color("p"); }, "p"), kInvalidProcedureCall);
  EXPECT_EQ(ErrorNaming([&] { page.Graph("nav"); }, "nav"), kInvalidProcedureCall);
  EXPECT_EQ(ErrorNaming([&] { page.Value(ThemeSection::kBase, "body", "Colour"); }, "Colour"),
            kInvalidProcedureCall);
  EXPECT_EQ(page.Value(ThemeSection::kBase, "body", "FontFamily"), "");
}

TEST(HostText, UnitsToUtf8AndBack) {
  // Bytes that are UTF-8 read as UTF-8; other bytes one per character.
  EXPECT_EQ(ThemeTextToUtf8(u"Caf\u00C3\u00A9"), "Caf\xC3\xA9");
  EXPECT_EQ(ThemeTextToUtf8(u"Caf\u00E9"), "Caf\xC3\xA9");
  EXPECT_EQ(ThemeTextToUtf8(u"\u00C3("), "\xC3\x83(");              // a cut-off sequence
  EXPECT_EQ(ThemeTextToUtf8(u"\u00C0\u00AF"), "\xC3\x80\xC2\xAF");  // an overlong form
  EXPECT_EQ(ThemeTextToUtf8(u"\u00ED\u00A0\u0080"), "\xC3\xAD\xC2\xA0\xC2\x80");  // a surrogate
  EXPECT_EQ(ThemeTextToUtf8(u"\u201CDawn\u201D"),
            "\xE2\x80\x9C"
            "Dawn\xE2\x80\x9D");
  EXPECT_EQ(ThemeTextToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
  for (const char* text : {"", "plain", "Caf\xC3\xA9", "\xF0\x9F\x8E\xA8 palette", "\xC2\xA0"}) {
    EXPECT_EQ(ThemeTextToUtf8(ThemeTextFromUtf8(text)), text);
  }
  EXPECT_EQ(ThemeTextFromUtf8("Caf\xC3\xA9"), u"Caf\u00C3\u00A9");
  EXPECT_THROW(ThemeTextFromUtf8("Caf\xE9"), AutomationError);
}

TEST_F(PageThemeTest, Utf8ValuesCrossBothWays) {
  // A theme file written in UTF-8, and one in a single-byte code page.
  const std::string sheet =
      "body\r\n{\r\n\tfont-family: Caf\xC3\xA9 Sans;\r\n}\r\nh1\r\n{\r\n"
      "\tfont-family: Caf\xE9 Serif;\r\n}\r\n";
  PageTheme page =
      PageTheme::Load(Write("t.elm", MakePackage("1.0", {{"theme.css", sheet}})), Path("page"));
  EXPECT_EQ(page.Value(ThemeSection::kBase, "body", "FontFamily"), "Caf\xC3\xA9 Sans");
  EXPECT_EQ(page.Value(ThemeSection::kBase, "h1", "FontFamily"), "Caf\xC3\xA9 Serif");
  page.Theme().UseCustomSettings(true);
  page.CustomValue(ThemeSection::kBase, "h2", "FontFamily", "Na\xC3\xAFve");
  EXPECT_EQ(page.Base("h2").FontFamily(), u"Na\u00C3\u00AFve");  // as a UTF-8 theme file holds it
  EXPECT_EQ(PageTheme::Restore(page.Save()).Value(ThemeSection::kBase, "h2", "FontFamily"),
            "Na\xC3\xAFve");
}

}  // namespace
}  // namespace rxTheme
