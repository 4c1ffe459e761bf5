// One property as a bag holds it, without copies of its texts.
#pragma once

#include <string_view>

#include "runtime/variant.h"
#include "runtime/wstring.h"

namespace rxTheme {

class PropertyBagX;

// The name, object type and value of one entry. The texts are views into
// storage that the bag shares out: the contents it decoded, or the texts of a
// written entry. They stay valid as long as the bag, or any bag decoded from
// it, keeps that storage: until the bag is given new contents or the entry is
// replaced.
//
// An entry holds views only (the bag owns the storage), so that a list of
// them is trivially copied and destroyed: decoding pays for no destructor
// calls and a growing list moves its entries as plain bytes.
class StoredEntry {
 public:
  StoredEntry() : image_{} {}  // an image of zeros: the value Empty

  std::u16string_view Name() const { return name_; }
  // "" for a plain value, a class name, "Font", or " " for a null reference.
  std::u16string_view ObjectType() const { return type_; }
  // Whether the value is a string; for a nested object or font that string
  // is the nested bag's contents.
  bool IsText() const { return is_text_; }
  std::u16string_view Text() const { return is_text_ ? text_ : std::u16string_view(); }
  // The value as a variant: a copy of the text, or the stored scalar.
  Variant Value() const;

 private:
  friend class PropertyBagX;

  void SetText(std::u16string_view text) {
    text_ = text;
    is_text_ = true;
  }

  std::u16string_view name_;
  std::u16string_view type_;
  union {
    std::u16string_view text_;  // when is_text_
    VariantImage image_;        // otherwise
  };
  bool is_text_ = false;
};

}  // namespace rxTheme
