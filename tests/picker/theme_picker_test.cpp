#include "picker/theme_picker.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "picker/picker_view.h"
#include "picker/select_theme.h"
#include "platform/mem_env.h"
#include "runtime/automation_error.h"
#include "settings/color_object.h"
#include "theme/theme.h"
#include "theme/theme_test_util.h"

namespace rxTheme {
namespace {

using C = ControlId;
using testing::Raised;

// What the fake view saw, and the user's actions for RunModal.
struct ViewLog {
  std::vector<WString> messages;  // "title|icon|text"
  std::vector<WString> previews;
  int end_modal = 0;
  std::function<void(ThemePicker&)> user;  // runs inside RunModal
};

class FakeView : public PickerView {
 public:
  explicit FakeView(ViewLog& log) : log_(log) {}
  void ShowMessage(const WString& text, const WString& title, MessageIcon icon) override {
    const char16_t* icons[] = {u"critical", u"exclamation", u"information"};
    log_.messages.push_back(title + u"|" + icons[static_cast<int>(icon)] + u"|" + text);
  }
  void ShowPreview(const WString& html) override { log_.previews.push_back(html); }
  void ThemesChanged(const ThemePicker&) override {}
  void ControlsChanged(const ThemePicker&) override {}
  TwipsSize ScreenTwips() const override { return {19200, 14400}; }
  void RunModal(ThemePicker& picker) override {
    if (log_.user) log_.user(picker);
  }
  void EndModal() override { ++log_.end_modal; }

 private:
  ViewLog& log_;
};

// A MemEnv whose profile reader fails for one file, as when a theme folder
// vanishes while the list is being made.
class VanishingEnv : public MemEnv {
 public:
  WString vanishing;
  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override {
    if (file == vanishing) RaiseError(kPathNotFound);
    return MemEnv::ReadProfileString(file, section, key, default_value, buffer_size);
  }
};

class ThemePickerTest : public ::testing::Test {
 protected:
  // zeta "Zeta", alpha without its .inf, beta "beta", gamma without a title.
  void SetUp() override {
    env_.AddFolder(u"/site");
    theme_->WorkingFolder(u"/site");
    theme_->ThemesFolder(u"/themes");
    AddTheme("zeta", "[info]\r\ntitle=Zeta\r\n");
    AddTheme("alpha", "");
    AddTheme("beta", "[info]\ntitle=beta\n", "meadow");
    AddTheme("gamma", "[other]\ntitle=Gamma\n");
    InstallPickerViewFactory([this] { return std::make_unique<FakeView>(log_); });
  }
  void TearDown() override { InstallPickerViewFactory(nullptr); }

  void AddTheme(const std::string& folder, const std::string& inf,
                const std::string& sample = "harbor") {
    const WString dir = u"/themes/" + Widen(folder) + u"/" + Widen(folder);
    if (!inf.empty()) env_.AddFile(dir + u".inf", inf);
    env_.AddFile(dir + u".elm", testing::SamplePackage(sample));
  }
  // The body's background color as the preview's first line carries it.
  WString BgColor() { return u"bgcolor=\"" + theme_->Color(u"body")->BackgroundColor() + u"\""; }
  static std::vector<std::string> Texts(const ThemePicker& picker) {
    std::vector<std::string> texts;
    for (const ThemeEntry& entry : picker.Themes().Entries()) texts.push_back(ToUtf8(entry.text));
    return texts;
  }
  // The states of the use-themes, vivid, active, background and custom boxes.
  static std::vector<int> Boxes(const ThemePicker& picker) {
    std::vector<int> states;
    for (C box : {C::kChkUseThemeOnPage, C::kChkVividColors, C::kChkActiveGraphics,
                  C::kChkBackgroundImage, C::kChkUseCustom}) {
      states.push_back(picker.CheckState(box));
    }
    return states;
  }

  VanishingEnv env_;
  ScopedEnv scoped_{env_};
  std::shared_ptr<CTheme> theme_ = std::make_shared<CTheme>();
  ViewLog log_;
  FakeView view_{log_};
};

TEST_F(ThemePickerTest, ListsThemesWithTheirInfoFileSortedByTitle) {
  AddTheme("long", "[info]\ntitle=" + std::string(100, 'x') + "\n");
  AddTheme("again", "[info]\ntitle=ZETA\n");  // sorts level with "Zeta", after it
  ThemePicker picker(theme_, view_);
  picker.Open();
  EXPECT_EQ(Texts(picker),
            (std::vector<std::string>{"", "beta", std::string(79, 'x'), "Zeta", "ZETA"}));
  EXPECT_EQ(picker.Themes()[1].tag, u"/themes/beta/beta.elm");
  EXPECT_EQ(picker.Themes()[4].tag, u"/themes/again/again.elm");

  theme_->ThemesFolder(u"/nowhere");
  ThemePicker nothing(theme_, view_);
  nothing.Open();
  EXPECT_EQ(nothing.Themes().size(), 0u);
  EXPECT_TRUE(log_.messages.empty());
}

TEST_F(ThemePickerTest, OpeningWithoutCurrentThemeTurnsGraphicsAndBackgroundOn) {
  ThemePicker picker(theme_, view_);
  picker.Open();
  EXPECT_EQ(picker.Left(), (19200 - 10470) / 2.0);
  EXPECT_EQ(picker.Top(), (14400 - 6165) / 2.0);
  EXPECT_EQ(Boxes(picker), (std::vector<int>{1, 0, 1, 1, 0}));
  EXPECT_EQ(theme_->GraphIndex(), 1);
  EXPECT_TRUE(theme_->UseBackgroundImage());
  EXPECT_EQ(picker.SelectedTheme(), ThemeList::kNone);
  EXPECT_EQ(log_.previews, std::vector<WString>{u"No theme selected."});
}

TEST_F(ThemePickerTest, OpeningSelectsTheCurrentThemeOnlyOnAnExactMatch) {
  theme_->ColorIndex(1);
  theme_->CurrentThemeName(u"zeta");  // differs from "Zeta" in case only
  theme_->CurrentThemeFile(u"kept");
  {
    ThemePicker picker(theme_, view_);
    picker.Open();
    EXPECT_EQ(picker.SelectedTheme(), ThemeList::kNone);
    EXPECT_EQ(picker.PreviewHtml(), u"No theme selected.");
    EXPECT_EQ(theme_->CurrentThemeFile(), u"kept");
    EXPECT_EQ(Boxes(picker), (std::vector<int>{1, 1, 0, 0, 0}));  // values written back
  }
  theme_->CurrentThemeName(u"Zeta");
  ThemePicker picker(theme_, view_);
  picker.Open();
  ASSERT_NE(picker.SelectedTheme(), ThemeList::kNone);
  EXPECT_EQ(picker.Themes()[picker.SelectedTheme()].text, u"Zeta");
  EXPECT_EQ(theme_->CurrentThemeFile(), u"/themes/zeta/zeta.elm");
  // Loaded and previewed while still hidden, with the vivid colors.
  EXPECT_EQ(theme_->ColorIndex(), 1);
  EXPECT_EQ(picker.PreviewHtml().rfind(u"<body " + BgColor(), 0), 0u);
}

TEST_F(ThemePickerTest, ClickingAThemeLoadsItAndOptionsRebuildThePreview) {
  log_.user = [&](ThemePicker& picker) {
    picker.ClickTheme(1);  // "beta"
    EXPECT_EQ(theme_->CurrentThemeFile(), u"/themes/beta/beta.elm");
    EXPECT_EQ(theme_->CurrentThemeName(), u"beta");
    const WString normal = picker.PreviewHtml();
    EXPECT_NE(normal.find(BgColor()), WString::npos);

    picker.SetCheckState(C::kChkVividColors, 1);
    EXPECT_EQ(theme_->ColorIndex(), 1);
    EXPECT_NE(picker.PreviewHtml().find(BgColor()), WString::npos);
    EXPECT_NE(picker.PreviewHtml(), normal);

    picker.SetCheckState(C::kChkBackgroundImage, 0);
    EXPECT_FALSE(theme_->UseBackgroundImage());
    EXPECT_EQ(picker.PreviewHtml().rfind(u"<body bgcolor=", 0), 0u);

    picker.SetCheckState(C::kChkUseCustom, 1);
    EXPECT_TRUE(theme_->UseCustomSettings());
    EXPECT_EQ(log_.previews.back(), picker.PreviewHtml());

    // Turning themes off: the switch and the enabled flags, not the preview.
    const size_t previews = log_.previews.size();
    picker.SetCheckState(C::kChkUseThemeOnPage, 0);
    EXPECT_FALSE(theme_->UseThemeSettings());
    for (C id : {C::kLblAvailable, C::kTvwThemes, C::kChkVividColors, C::kChkActiveGraphics,
                 C::kChkBackgroundImage, C::kChkUseCustom}) {
      EXPECT_FALSE(picker.Enabled(id));
    }
    EXPECT_TRUE(picker.Enabled(C::kCmdOK));
    EXPECT_EQ(log_.previews.size(), previews);
    picker.SetCheckState(C::kChkUseThemeOnPage, 1);
    EXPECT_TRUE(theme_->UseThemeSettings());
    EXPECT_TRUE(picker.Enabled(C::kTvwThemes));

    picker.SetCheckState(C::kChkVividColors, 7);  // not a check state
    EXPECT_EQ(log_.messages,
              std::vector<WString>{u"Corvane Webdrift|critical|Error 380: Invalid property value"});
    picker.ClickCancel();
  };
  EXPECT_EQ(SelectTheme(theme_), 2);
  EXPECT_EQ(log_.end_modal, 1);
  EXPECT_EQ(theme_->CurrentThemeName(), u"beta");  // Cancel undoes nothing
  EXPECT_TRUE(theme_->UseCustomSettings());
}

TEST_F(ThemePickerTest, SelectThemeResultsAndTheThemeItEdits) {
  log_.user = [](ThemePicker& picker) { picker.ClickOK(); };
  EXPECT_EQ(theme_->SelectTheme(theme_), 1);
  log_.user = [](ThemePicker& picker) { picker.ClickCancel(); };
  EXPECT_EQ(theme_->SelectTheme(theme_), 2);
  log_.user = nullptr;  // the window is closed without a button
  EXPECT_EQ(theme_->SelectTheme(theme_), 0);
  EXPECT_EQ(OpenThemePicker(), nullptr);

  auto caller = std::make_shared<CTheme>();
  log_.user = [&](ThemePicker& picker) {
    EXPECT_EQ(OpenThemePicker(), &picker);
    picker.ClickTheme(2);  // "Zeta"
    picker.ClickOK();
  };
  EXPECT_EQ(caller->SelectTheme(theme_), 1);
  EXPECT_EQ(theme_->CurrentThemeName(), u"Zeta");
  EXPECT_EQ(caller->CurrentThemeName(), u"");
  EXPECT_EQ(caller->GraphIndex(), 0);

  InstallPickerViewFactory(nullptr);
  EXPECT_EQ(Raised([&] { theme_->SelectTheme(caller); }).rfind("error 429: ", 0), 0u);
  EXPECT_EQ(caller->GraphIndex(), 0);  // the dialog never opened
}

TEST_F(ThemePickerTest, HelpOpensTheHelpFileOrExplainsItIsMissing) {
  theme_->HelpFile(u"/help/webdrift.chm");
  ThemePicker picker(theme_, view_);
  picker.ClickHelp();
  EXPECT_EQ(log_.messages,
            std::vector<WString>{u"Corvane Webdrift|exclamation|Corvane Webdrift cannot locate the "
                                 u"help file.\r\n\r\nPlease re-install Corvane Webdrift to "
                                 u"install the help files."});
  EXPECT_TRUE(env_.HelpCalls().empty());

  env_.AddFile(u"/help/webdrift.chm", "ITSF");
  picker.ClickHelp();
  picker.HelpContextID(42);
  picker.ClickHelp();
  std::vector<std::pair<int, int32_t>> calls;
  for (const MemEnv::HelpCall& call : env_.HelpCalls()) {
    EXPECT_EQ(call.file, u"/help/webdrift.chm>TriPane");
    calls.push_back({call.command, call.data});
  }
  EXPECT_EQ(calls, (std::vector<std::pair<int, int32_t>>{{0, 0}, {15, 42}}));
  theme_->HelpFile(u"");
}

TEST_F(ThemePickerTest, FailuresAreShownAndTheDialogStaysOpen) {
  env_.vanishing = u"/themes/beta/beta.inf";
  env_.FailOn(u"/themes/zeta/zeta.elm", MemEnv::Op::kRead, 75);
  log_.user = [&](ThemePicker& picker) {
    // Listing stopped at the vanished folder; the entries before it stay and
    // the rest of the opening ran.
    EXPECT_EQ(log_.messages,
              std::vector<WString>{u"Corvane Webdrift|critical|Error 76: Path not found"});
    EXPECT_EQ(Texts(picker), std::vector<std::string>{"Zeta"});
    EXPECT_EQ(picker.CheckState(C::kChkActiveGraphics), 1);

    picker.ClickTheme(0);
    ASSERT_EQ(log_.messages.size(), 2u);
    EXPECT_EQ(log_.messages[1], u"Corvane Webdrift|critical|Error 75: Path/File access error");
    EXPECT_TRUE(picker.Visible());
    EXPECT_EQ(theme_->CurrentThemeName(), u"Zeta");  // set before Load failed
    EXPECT_EQ(picker.PreviewHtml(), u"No theme selected.");
    picker.ClickOK();
  };
  EXPECT_EQ(SelectTheme(theme_), 1);
}

}  // namespace
}  // namespace rxTheme
