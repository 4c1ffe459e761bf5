// One property as a bag holds it, without copies of its texts.
#pragma once

#include <memory>
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
class StoredEntry {
 public:
  StoredEntry() {}  // members initialised one by one, not zero-filled first

  std::u16string_view Name() const { return name_; }
  // "" for a plain value, a class name, "Font", or " " for a null reference.
  std::u16string_view ObjectType() const { return type_; }
  // Whether the value is a string; for a nested object or font that string
  // is the nested bag's contents.
  bool IsText() const { return is_text_; }
  std::u16string_view Text() const { return text_; }
  // The value as a variant: a copy of the text, or the stored scalar.
  Variant Value() const;

 private:
  friend class PropertyBagX;

  std::u16string_view name_;
  std::u16string_view type_;
  std::u16string_view text_;
  VariantImage image_{};  // the value when it is not text; all zero is Empty
  bool is_text_ = false;
  // The texts of a written entry; null for a decoded one, whose texts lie in
  // the bag's contents.
  std::shared_ptr<const WString> storage_;
};

}  // namespace rxTheme
