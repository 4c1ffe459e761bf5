// Shared set-up of the picker tests: an in-memory file system holding a
// themes folder with packages made here, and a view that records what the
// picker shows and plays a scripted user.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "picker/picker_view.h"
#include "picker/theme_picker.h"
#include "platform/mem_env.h"
#include "runtime/wstring.h"
#include "theme/theme.h"

namespace rxTheme::picker_test {

// A theme package: header, then each piece behind its marker.
inline std::string MakePackage(const std::vector<std::pair<std::string, std::string>>& pieces) {
  std::string out = "1.0\n" + std::to_string(pieces.size()) + "\n";
  for (const auto& [name, data] : pieces) out += name + "," + std::to_string(data.size()) + "\n";
  for (const auto& [name, data] : pieces) out += "<==MS-Theme==>" + data;
  return out;
}

// Style sheets in the layout the parsers read (CR LF lines, tab-indented
// declarations). `tone` makes each theme's values its own.
inline std::string ColorSheet(int tone) {
  auto rgb = [&](int r, int g, int b) {
    return "rgb(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b + tone) +
           ");";
  };
  return "<style>\r\nbody\r\n{\r\n\tcolor: " + rgb(0, 0, 16) +
         "\r\n\tbackground-color: " + rgb(250, 250, 100) +
         "\r\n}\r\na:link\r\n{\r\n\tcolor: " + rgb(0, 0, 40) +
         "\r\n}\r\na:visited\r\n{\r\n\tcolor: " + rgb(64, 0, 64) +
         "\r\n}\r\na:active\r\n{\r\n\tcolor: " + rgb(128, 0, 0) +
         "\r\n}\r\nh1\r\n{\r\n\tcolor: " + rgb(0, 32, 0) +
         "\r\n}\r\nh2\r\n{\r\n\tcolor: " + rgb(0, 48, 0) + "\r\n}\r\n</style>\r\n";
}

inline std::string GraphSheet(const std::string& suffix) {
  std::string sheet = "<style>\r\n.mstheme\r\n{\r\n";
  const char* props[][2] = {{"nav-banner-image", "banner"},    {"separator-image", "rule"},
                            {"list-image-1", "bullet1"},       {"list-image-2", "bullet2"},
                            {"list-image-3", "bullet3"},       {"navbutton-home-normal", "home"},
                            {"navbutton-next-normal", "next"}, {"navbutton-prev-normal", "prev"},
                            {"navbutton-up-normal", "up"}};
  for (const auto& p : props) {
    sheet += std::string("\t") + p[0] + ": url(" + p[1] + suffix + ".gif);\r\n";
  }
  return sheet + "}\r\n</style>\r\n";
}

inline std::string BaseSheet(const std::string& font) {
  return "<style>\r\nbody\r\n{\r\n\tfont-family: " + font +
         ", serif;\r\n\tbackground-image: url(paper.gif);\r\n}\r\nh1\r\n{\r\n\tfont-family: " +
         font + " Display;\r\n}\r\nh2\r\n{\r\n\tfont-family: " + font +
         " Caption;\r\n}\r\n</style>\r\n";
}

inline std::string SamplePackage(int tone, const std::string& font) {
  return MakePackage({{"color0.css", ColorSheet(tone)},
                      {"color1.css", ColorSheet(tone + 100)},
                      {"graph0.css", GraphSheet("")},
                      {"graph1.css", GraphSheet("_a")},
                      {"theme.css", BaseSheet(font)},
                      {"banner.gif", "GIF89a-banner"}});
}

struct Message {
  WString text;
  WString title;
  MessageIcon icon;
};

// What the fake views of one test saw, and the user's actions for RunModal.
struct ViewLog {
  std::vector<Message> messages;
  std::vector<WString> previews;
  int controls_changed = 0;
  int themes_changed = 0;
  int end_modal = 0;
  TwipsSize screen{19200, 14400};
  std::function<void(ThemePicker&)> user;  // runs inside RunModal
};

class FakeView : public PickerView {
 public:
  explicit FakeView(ViewLog& log) : log_(log) {}
  void ShowMessage(const WString& text, const WString& title, MessageIcon icon) override {
    log_.messages.push_back({text, title, icon});
  }
  void ShowPreview(const WString& html) override { log_.previews.push_back(html); }
  void ThemesChanged(const ThemePicker&) override { ++log_.themes_changed; }
  void ControlsChanged(const ThemePicker&) override { ++log_.controls_changed; }
  TwipsSize ScreenTwips() const override { return log_.screen; }
  void RunModal(ThemePicker& picker) override {
    if (log_.user) log_.user(picker);
  }
  void EndModal() override { ++log_.end_modal; }

 private:
  ViewLog& log_;
};

}  // namespace rxTheme::picker_test
