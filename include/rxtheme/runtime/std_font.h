// The platform's standard font object (type name "Font").
#pragma once

#include <cstdint>
#include <memory>

#include <rxtheme/export.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class RXTHEME_API StdFont : public Object {
 public:
  WString TypeName() const override { return u"Font"; }

  WString Name() const { return name_; }
  void Name(const WString& v) { name_ = v; }
  // Point size in ten-thousandths (currency).
  int64_t Size() const { return size_; }
  void Size(int64_t v) { size_ = v; }
  // Bold and Weight are linked: Bold reads true when Weight is above 550;
  // setting Bold sets Weight to 700 (true) or 400 (false).
  bool Bold() const { return weight_ > 550; }
  void Bold(bool v) { weight_ = v ? 700 : 400; }
  int16_t Weight() const { return weight_; }
  void Weight(int16_t v) { weight_ = v; }
  bool Italic() const { return italic_; }
  void Italic(bool v) { italic_ = v; }
  bool Underline() const { return underline_; }
  void Underline(bool v) { underline_ = v; }
  bool Strikethrough() const { return strikethrough_; }
  void Strikethrough(bool v) { strikethrough_ = v; }
  int16_t Charset() const { return charset_; }
  void Charset(int16_t v) { charset_ = v; }

 private:
  WString name_;
  int64_t size_ = 0;
  int16_t weight_ = 400;
  bool italic_ = false;
  bool underline_ = false;
  bool strikethrough_ = false;
  int16_t charset_ = 0;
};

}  // namespace rxTheme
