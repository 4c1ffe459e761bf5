#include <rxtheme/picker/theme_picker.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/theme/theme.h>
#include "support/fixed_metrics.h"
#include "support/mem_env.h"
#include "support/vanishing_env.h"
#include "theme/theme_test_util.h"

namespace rxTheme {
namespace {

using C = ControlId;

// A site with themes zeta "Zeta", alpha without its .inf, beta "beta" and
// gamma without a title, and a fake view that logs what the picker shows and
// runs `user` as the user's actions inside RunModal.
struct Site {
  struct View : PickerView {
    explicit View(Site& site) : s(site) {}
    void ShowMessage(const WString& text, const WString& title, MessageIcon icon) override {
      const char16_t* icons[] = {u"critical", u"exclamation", u"information"};
      s.messages.push_back(title + u"|" + icons[static_cast<int>(icon)] + u"|" + text);
    }
    void ShowPreview(const PreviewScene& scene) override { s.previews.push_back(Summary(scene)); }
    const TextMetrics& PreviewMetrics() const override { return metrics; }
    void ThemesChanged(const ThemePicker&) override {}
    void ControlsChanged(const ThemePicker&) override {}
    TwipsSize ScreenTwips() const override { return {19200, 14400}; }
    TwipsSize DialogTwips() const override { return {10590, 6570}; }
    void RunModal(ThemePicker& picker) override {
      if (s.user) s.user(picker);
    }
    void EndModal() override { ++s.end_modal; }
    Site& s;
    testing::FixedMetrics metrics;
  };
  // A scene as its background and texts.
  static WString Summary(const PreviewScene& scene) {
    WString text = Widen(std::to_string(scene.background));
    for (const SceneText& run : scene.texts) text += u"|" + run.text;
    return text;
  }
  Site() {
    env.AddFolder(u"/site");
    theme->WorkingFolder(u"/site");
    theme->ThemesFolder(u"/themes");
    AddTheme("zeta", "[info]\r\ntitle=Zeta\r\n");
    AddTheme("alpha", "");
    AddTheme("beta", "[info]\ntitle=beta\n", "meadow");
    AddTheme("gamma", "[other]\ntitle=Gamma\n");
    InstallPickerViewFactory([this] { return std::make_unique<View>(*this); });
  }
  ~Site() {
    InstallPickerViewFactory(nullptr);
    theme->HelpFile(u"");
  }
  void AddTheme(const std::string& folder, const std::string& inf,
                const std::string& sample = "harbor") {
    const WString dir = u"/themes/" + Widen(folder) + u"/" + Widen(folder);
    if (!inf.empty()) env.AddFile(dir + u".inf", inf);
    env.AddFile(dir + u".elm", testing::SamplePackage(sample));
  }
  // The body's background color as the preview carries it.
  WString BgColor() { return u"bgcolor=\"" + theme->Color(u"body")->BackgroundColor() + u"\""; }

  testing::VanishingEnv env;
  ScopedEnv scoped{env};
  std::shared_ptr<CTheme> theme = std::make_shared<CTheme>();
  std::vector<WString> messages;  // "title|icon|text"
  std::vector<WString> previews;  // Summary of each scene shown
  int end_modal = 0;
  std::function<void(ThemePicker&)> user;
  View view{*this};
};

std::vector<std::string> Texts(const ThemePicker& picker) {
  std::vector<std::string> texts;
  for (const ThemeEntry& entry : picker.Themes().Entries()) texts.push_back(ToUtf8(entry.text));
  return texts;
}

TEST(ThemePicker, ListsThemesWithTheirInfoFileSortedByTitle) {
  Site s;
  s.AddTheme("long", "[info]\ntitle=" + std::string(100, 'x') + "\n");
  ThemePicker picker(s.theme, s.view);
  picker.Open();
  EXPECT_EQ(Texts(picker), (std::vector<std::string>{"", "beta", std::string(79, 'x'), "Zeta"}));
  EXPECT_EQ(picker.Themes()[1].tag, u"/themes/beta/beta.elm");

  s.theme->ThemesFolder(u"/nowhere");
  ThemePicker nothing(s.theme, s.view);
  nothing.Open();
  EXPECT_EQ(nothing.Themes().size(), 0u);
  EXPECT_TRUE(s.messages.empty());
}

// How the preview looks when the dialog closes: none selected, built from a
// loaded theme, or also without a background image (the body starts with its color).
enum class Preview { kNone, kLoaded, kPlainBody };
// Beyond the current theme (the help file is always set): the help file
// present, or beta's folder vanishing while listing and zeta's package unreadable.
enum class Start { kPlain, kHelpPresent, kFailing };

struct Case {
  const char* what;
  const char16_t* current;  // the current theme's name, with vivid colors; or none
  Start start;
  std::function<void(ThemePicker&, Site&)> act;  // ends with OK, Cancel or nothing (closed)
  int result;                                    // 1 OK, 2 Cancel, 0 closed
  std::vector<int> boxes;     // use-themes, vivid, active, background, custom; the theme agrees
  std::u16string name, file;  // the current theme afterwards
  Preview preview;
  std::vector<std::u16string> messages;  // "title|icon|text"
  std::vector<std::pair<int, int32_t>> help_calls = {};
};

TEST(ThemePicker, OpenClickCloseAndHelp) {
  auto click_help = [](ThemePicker& p, Site&) {
    p.ClickHelp();
    p.HelpContextID(42);
    p.ClickHelp();
    p.ClickOK();
  };
  auto options = [](ThemePicker& p, Site&) {
    p.ClickTheme(1);  // "beta"
    const WString normal = p.PreviewHtml();
    p.SetCheckState(C::kChkVividColors, 1);
    EXPECT_NE(p.PreviewHtml(), normal);
    p.SetCheckState(C::kChkBackgroundImage, 0);
    p.SetCheckState(C::kChkUseCustom, 1);
    p.SetCheckState(C::kChkUseThemeOnPage, 0);
    p.SetCheckState(C::kChkUseThemeOnPage, 1);
    p.SetCheckState(C::kChkVividColors, 7);  // not a check state
    p.ClickCancel();
  };
  // Turning themes off sets the switch and disables the options, but does not
  // rebuild the preview.
  auto themes_off = [](ThemePicker& p, Site& s) {
    p.ClickTheme(2);  // "Zeta"
    EXPECT_NE(p.PreviewHtml().find(s.BgColor()), WString::npos);
    const size_t previews = s.previews.size();
    p.SetCheckState(C::kChkUseThemeOnPage, 0);
    EXPECT_EQ(s.previews.size(), previews);
    p.ClickOK();
  };
  // Listing stopped at the vanished folder, keeping the entries before it and
  // running the rest of the opening; a failed load leaves the dialog open with
  // the name and file already set.
  auto click_failing = [](ThemePicker& p, Site&) {
    EXPECT_EQ(Texts(p), std::vector<std::string>{"Zeta"});
    p.ClickTheme(0);
    EXPECT_TRUE(p.Visible());
    p.ClickOK();
  };
  const std::u16string beta = u"/themes/beta/beta.elm", zeta = u"/themes/zeta/zeta.elm";
  const std::u16string no_help =
      u"Corvane Webdrift|exclamation|Corvane Webdrift cannot locate the help file.\r\n\r\n"
      u"Please re-install Corvane Webdrift to install the help files.";
  using P = Preview;
  using S = Start;
  // clang-format off
  const Case cases[] = {
      // Selected on an exact match only; the file is kept when nothing matches.
      {"open, name differs in case", u"zeta", S::kPlain, nullptr,
       0, {1, 1, 0, 0, 0}, u"zeta", u"kept", P::kNone, {}},
      // Loaded and previewed while still hidden, with the vivid colors.
      {"open, exact match", u"Zeta", S::kPlain, nullptr,
       0, {1, 1, 0, 0, 0}, u"Zeta", zeta, P::kPlainBody, {}},
      {"click theme, options, Cancel undoes nothing", nullptr, S::kPlain, options,
       2, {1, 1, 1, 0, 1}, u"beta", beta, P::kPlainBody,
       {u"Corvane Webdrift|critical|Error 380: Invalid property value"}},
      {"themes off, OK", nullptr, S::kPlain, themes_off,
       1, {0, 0, 1, 1, 0}, u"Zeta", zeta, P::kLoaded, {}},
      // No current theme: graphics and background turned on and written back.
      {"help file missing", nullptr, S::kPlain, click_help,
       1, {1, 0, 1, 1, 0}, u"", u"", P::kNone, {no_help, no_help}},
      {"help file present", nullptr, S::kHelpPresent, click_help,
       1, {1, 0, 1, 1, 0}, u"", u"", P::kNone, {}, {{0, 0}, {15, 42}}},
      {"failures shown, dialog stays open", nullptr, S::kFailing, click_failing,
       1, {1, 0, 1, 1, 0}, u"Zeta", zeta, P::kNone,
       {u"Corvane Webdrift|critical|Error 76: Path not found",
        u"Corvane Webdrift|critical|Error 75: Path/File access error"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Site s;
    if (c.current) {
      s.theme->ColorIndex(1);
      s.theme->CurrentThemeName(c.current);
      s.theme->CurrentThemeFile(u"kept");
    }
    s.theme->HelpFile(u"/help/webdrift.chm");
    if (c.start == S::kHelpPresent) s.env.AddFile(u"/help/webdrift.chm", "ITSF");
    if (c.start == S::kFailing) {
      s.env.vanishing = u"/themes/beta/beta.inf";
      s.env.FailOn(zeta, MemEnv::Op::kRead, 75);
    }
    std::vector<int> boxes;
    WString preview;
    s.user = [&](ThemePicker& p) {
      EXPECT_EQ(OpenThemePicker(), &p);
      EXPECT_EQ(std::pair(p.Left(), p.Top()),
                std::pair((19200 - 10590) / 2.0, (14400 - 6570) / 2.0));  // centred outside
      if (c.act) c.act(p, s);
      for (C box : {C::kChkUseThemeOnPage, C::kChkVividColors, C::kChkActiveGraphics,
                    C::kChkBackgroundImage, C::kChkUseCustom}) {
        boxes.push_back(p.CheckState(box));
        EXPECT_EQ(p.Enabled(box), boxes[0] == 1 || box == C::kChkUseThemeOnPage);
      }
      for (C id : {C::kLblAvailable, C::kTvwThemes}) EXPECT_EQ(p.Enabled(id), boxes[0] == 1);
      EXPECT_TRUE(p.Enabled(C::kCmdOK));
      preview = p.PreviewHtml();
      EXPECT_EQ(s.previews.back(), Site::Summary(p.Scene()));
    };
    // The dialog edits the theme passed in, not the one it is called on.
    EXPECT_EQ(std::make_shared<CTheme>()->SelectTheme(s.theme), c.result);
    EXPECT_EQ(OpenThemePicker(), nullptr);
    EXPECT_EQ(s.end_modal, c.result != 0 ? 1 : 0);
    EXPECT_EQ(boxes, c.boxes);
    const CTheme& t = *s.theme;
    EXPECT_EQ(std::vector<int>({t.UseThemeSettings(), t.ColorIndex(), t.GraphIndex(),
                                t.UseBackgroundImage(), t.UseCustomSettings()}),
              c.boxes);
    EXPECT_EQ(t.CurrentThemeName(), c.name);
    EXPECT_EQ(t.CurrentThemeFile(), c.file);
    const WString body = c.preview == P::kLoaded ? u"<body " : u"<body " + s.BgColor();
    EXPECT_EQ(preview.rfind(c.preview == P::kNone ? u"No theme selected." : body, 0), 0u);
    EXPECT_EQ(s.messages, c.messages);
    std::vector<std::pair<int, int32_t>> calls;  // a call to another file shows as command -1
    for (const MemEnv::HelpCall& call : s.env.HelpCalls()) {
      calls.push_back({call.file == u"/help/webdrift.chm>TriPane" ? call.command : -1, call.data});
    }
    EXPECT_EQ(calls, c.help_calls);
  }
}

// Enter clicks the focused push button, or OK wherever else the focus is;
// Escape closes as the close box does. Only the left button loads an entry.
TEST(ThemePicker, KeysClicksAndTheDefaultButton) {
  // The cases below press Enter on Cancel, Help and the list.
  for (C focus : {C::kChkVividColors, C::kDocPreview, C::kDialog}) {
    EXPECT_EQ(ThemePicker::DefaultButton(focus), C::kCmdOK);
  }
  struct Case {
    const char* what;
    std::function<void(ThemePicker&)> act;
    int result;
  } cases[] = {
      {"Enter on Cancel", [](ThemePicker& p) { p.PressKey(DialogKey::kEnter, C::kCmdCancel); }, 2},
      {"Enter in the list", [](ThemePicker& p) { p.PressKey(DialogKey::kEnter, C::kTvwThemes); },
       1},
      {"Escape after OK was not pressed",
       [](ThemePicker& p) { p.PressKey(DialogKey::kEscape, C::kCmdOK); }, 0},
      {"Enter on Help, then the close box",
       [](ThemePicker& p) {
         p.PressKey(DialogKey::kEnter, C::kCmdHelp);
         EXPECT_TRUE(p.Visible());
         p.Close();
       },
       0},
      {"clicks through Activate",
       [](ThemePicker& p) {
         const size_t revision = p.ThemesRevision();
         p.PressEntry(1, PointerButton::kRight);
         p.PressEntry(1, PointerButton::kMiddle);
         EXPECT_EQ(p.Theme()->CurrentThemeName(), u"");
         p.PressEntry(1, PointerButton::kLeft);
         EXPECT_EQ(p.Theme()->CurrentThemeName(), u"beta");
         EXPECT_EQ(p.ThemesRevision(), revision);  // a click does not refill the list
         p.Activate(C::kChkVividColors);
         EXPECT_EQ(p.CheckState(C::kChkVividColors), 1);
         p.Activate(C::kChkUseThemeOnPage);
         p.Activate(C::kChkVividColors);  // disabled: nothing
         EXPECT_EQ(p.CheckState(C::kChkVividColors), 1);
         p.Activate(C::kLabel2);  // not a button: nothing
         p.Activate(C::kCmdCancel);
       },
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Site s;
    s.user = c.act;
    EXPECT_EQ(s.theme->SelectTheme(s.theme), c.result);
    EXPECT_EQ(s.end_modal, 1);
  }
}

TEST(ThemePicker, SelectThemeWithoutAViewFails) {
  Site s;
  InstallPickerViewFactory(nullptr);
  auto caller = std::make_shared<CTheme>();
  EXPECT_EQ(testing::ErrorNumberOf([&] { s.theme->SelectTheme(caller); }), kCantCreateObject);
  EXPECT_EQ(caller->GraphIndex(), 0);  // the dialog never opened
}

}  // namespace
}  // namespace rxTheme
