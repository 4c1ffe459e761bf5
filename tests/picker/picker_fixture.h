// Shared set-up of the picker tests: a view that records what the picker
// shows and plays a scripted user.
#pragma once

#include <functional>
#include <vector>

#include "picker/picker_view.h"
#include "picker/theme_picker.h"
#include "runtime/wstring.h"

namespace rxTheme::picker_test {

struct Message {
  WString text;
  WString title;
  MessageIcon icon;
};

// What the fake views of one test saw, and the user's actions for RunModal.
struct ViewLog {
  std::vector<Message> messages;
  std::vector<WString> previews;
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
  void ThemesChanged(const ThemePicker&) override {}
  void ControlsChanged(const ThemePicker&) override {}
  TwipsSize ScreenTwips() const override { return log_.screen; }
  void RunModal(ThemePicker& picker) override {
    if (log_.user) log_.user(picker);
  }
  void EndModal() override { ++log_.end_modal; }

 private:
  ViewLog& log_;
};

}  // namespace rxTheme::picker_test
