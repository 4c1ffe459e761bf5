// One property as a bag holds it, without copies of its texts.
#pragma once

#include <cstddef>
#include <string_view>

#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

class PropertyBagX;

// The name, object type and value of one entry. The texts are views into
// storage that the bag shares out: the contents it decoded, or the texts of a
// written entry. They stay valid as long as the bag, or any bag decoded from
// it, keeps that storage: until the bag is given new contents or the entry is
// replaced.
//
// An entry holds views only (the bag owns the storage) in plain fields, so
// that it is a trivial type: decoding pays for no destructor calls, and a
// growing list moves its entries as a block of bytes. A value-initialised
// entry (all zero) has empty texts and the value Empty.
class StoredEntry {
 public:
  std::u16string_view Name() const { return {name_.data, name_.size}; }
  // "" for a plain value, a class name, "Font", or " " for a null reference.
  std::u16string_view ObjectType() const { return {type_.data, type_.size}; }
  // Whether the value is a string; for a nested object or font that string
  // is the nested bag's contents.
  bool IsText() const { return is_text_; }
  std::u16string_view Text() const {
    return is_text_ ? std::u16string_view(text_.data, text_.size) : std::u16string_view();
  }
  // The value as a variant: a copy of the text, or the stored scalar.
  Variant Value() const;

 private:
  friend class PropertyBagX;

  struct View {
    const char16_t* data;
    size_t size;
  };
  static View ViewOf(std::u16string_view text) { return {text.data(), text.size()}; }

  void SetText(std::u16string_view text) {
    text_ = ViewOf(text);
    is_text_ = true;
  }

  View name_;
  View type_;
  union {
    View text_;           // when is_text_
    VariantImage image_;  // otherwise
  };
  bool is_text_;
};

}  // namespace rxTheme
