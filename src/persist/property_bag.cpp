#include "persist/property_bag.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "persist/class_factory.h"
#include "persist/contents_codec.h"
#include "runtime/automation_error.h"
#include "runtime/object_registry.h"
#include "runtime/std_font.h"

namespace rxTheme {

namespace {

constexpr size_t kGrowBy = 10;
constexpr char16_t kNullReference[] = u" ";
constexpr char16_t kFontType[] = u"Font";

const CreatableRegistration kRegistration(u"rxTheme.PropertyBagX",
                                          [] { return std::make_shared<PropertyBagX>(); });

// The stored text of a nested value. A value that is not text (only crafted
// contents hold one) is malformed contents.
WString NestedText(const Variant& value) {
  if (value.IsString()) return value.StringValue();
  try {
    return value.ToString();
  } catch (const AutomationError&) {
    RaiseInvalidContents();
  }
}

// Reads one font attribute and converts it to the attribute's type. A stored
// value that does not convert raises the conversion's own error (13 type
// mismatch, 6 overflow), as setting that attribute on a font would.
template <typename F>
auto ReadFontAttribute(PropertyBagX& bag, const WString& key, const std::optional<Variant>& def,
                       F convert) {
  return convert(bag.ReadProperty(key, def));
}

// The number of whole records in `contents`, found by following only tags and
// lengths, so that decoding can size the list once instead of growing it entry
// by entry. It never counts a record that is not present in the input, so the
// list it sizes is bounded by the input's length.
size_t CountRecords(const WString& contents) {
  const size_t n = contents.size();
  size_t p = 0;
  size_t count = 0;
  while (p + 1 < n) {
    for (int field = 0; field < 3; ++field) {
      if (p >= n) return count;
      const char16_t tag = contents[p];
      if (tag >= kTagName && tag <= kTagString) {
        if (p + 3 > n) return count;
        const int32_t length = static_cast<int32_t>(static_cast<uint32_t>(contents[p + 1]) |
                                                    static_cast<uint32_t>(contents[p + 2]) << 16);
        if (length < 0) return count;
        p += 3 + static_cast<size_t>(length);
      } else if (tag == kTagVariant) {
        p += 9;
      } else {
        return count;
      }
    }
    if (p > n) return count;  // the last field runs past the end: not whole
    ++count;
  }
  return count;
}

}  // namespace

PropertyBagX::PropertyBagX() : PropertyBagX(0) {}

PropertyBagX::PropertyBagX(int depth) : depth_(depth) { entries_.reserve(kGrowBy); }

void PropertyBagX::Reset() {
  entries_.clear();
  entries_.shrink_to_fit();
  entries_.reserve(kGrowBy);
}

int32_t PropertyBagX::FindProperty(const WString& name) const {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (EqualsNoCase(entries_[i].Name, name)) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

void PropertyBagX::Append(PropertyEntry entry) { entries_.push_back(std::move(entry)); }

WString PropertyBagX::Contents() const {
  if (entries_.empty()) return WString(1, u'\0');
  size_t total = 0;
  for (const PropertyEntry& e : entries_) {
    total += 6 + e.Name.size() + e.ObjectType.size() + EncodedFieldSize(e.Value);
  }
  WString out;
  out.reserve(total);
  for (const PropertyEntry& e : entries_) {
    AppendField(out, Variant(e.Name), kTagName);
    AppendField(out, Variant(e.ObjectType), kTagObjectType);
    AppendField(out, e.Value);
  }
  return out;
}

void PropertyBagX::Contents(const WString& value) {
  Reset();
  entries_.reserve(std::max(kGrowBy, CountRecords(value)));
  const int32_t n = static_cast<int32_t>(std::min<size_t>(value.size(), INT32_MAX));
  int32_t p = 1;
  while (p < n) {
    // The entry joins the list before its fields are read, so that a fault
    // leaves it behind with the fields decoded so far.
    entries_.emplace_back();
    size_t index = entries_.size() - 1;
    entries_[index].Name = DecodeText(value, p, kTagName);
    entries_[index].ObjectType = DecodeText(value, p, kTagObjectType);
    entries_[index].Value = DecodeField(value, p);
  }
}

void PropertyBagX::WriteProperty(const WString& name, const Variant& value,
                                 const std::optional<Variant>& default_value) {
  if (int32_t i = FindProperty(name)) {
    if (static_cast<size_t>(i) != entries_.size()) entries_[i - 1] = std::move(entries_.back());
    entries_.pop_back();
  }

  if (!value.IsObject()) {
    if (default_value && VariantEquals(value, *default_value)) return;
    Append({name, {}, value});
    return;
  }

  const ObjectRef& object = value.ObjectValue();
  if (!object) {
    Append({name, kNullReference, Variant()});
    return;
  }

  PropertyBagX nested(depth_ + 1);
  if (object->TypeName() == kFontType) {
    auto font = std::dynamic_pointer_cast<StdFont>(object);
    if (!font) RaiseError(kTypeMismatch);
    nested.WriteProperty(u"Bold", Variant::Bool(font->Bold()), Variant::Bool(false));
    nested.WriteProperty(u"Charset", Variant::I2(font->Charset()), Variant::I2(0));
    nested.WriteProperty(u"Italic", Variant::Bool(font->Italic()), Variant::Bool(false));
    nested.WriteProperty(u"Name", Variant(font->Name()));
    nested.WriteProperty(u"Size", Variant::Currency(font->Size()));
    nested.WriteProperty(u"Strikethrough", Variant::Bool(font->Strikethrough()),
                         Variant::Bool(false));
    nested.WriteProperty(u"Underline", Variant::Bool(font->Underline()), Variant::Bool(false));
    nested.WriteProperty(u"Weight", Variant::I2(font->Weight()), Variant::Bool(false));
    Append({name, kFontType, Variant(nested.Contents())});
    return;
  }

  std::shared_ptr<IPropertyBagX> persistable = AsPersistable(object);
  if (!persistable) RaiseError(kTypeMismatch);
  persistable->WriteProperties(nested);
  WString class_name = persistable->ClassName();
  Append({name, std::move(class_name), Variant(nested.Contents())});
}

Variant PropertyBagX::ReadProperty(const WString& name,
                                   const std::optional<Variant>& default_value) {
  const Variant def = default_value.value_or(Variant());
  // A null object reference as the default behaves like a plain default. A
  // default object that is not persistable raises 13 once it is used, which
  // a stored null reference never does.
  const bool default_is_object = def.IsObject() && def.ObjectValue() != nullptr;
  const auto default_persistable = [&] {
    std::shared_ptr<IPropertyBagX> object = AsPersistable(def.ObjectValue());
    if (!object) RaiseError(kTypeMismatch);
    return object;
  };

  const int32_t index = FindProperty(name);
  if (index == 0) {
    if (default_is_object) default_persistable()->InitProperties();
    return def;
  }
  const PropertyEntry& entry = entries_[index - 1];
  if (entry.ObjectType == kNullReference) return Variant::Obj(nullptr);
  const std::shared_ptr<IPropertyBagX> default_object =
      default_is_object ? default_persistable() : nullptr;

  if (default_object) {
    PropertyBagX nested(depth_ + 1);
    nested.Contents(NestedText(entry.Value));
    default_object->ReadProperties(nested);
    return def;
  }

  if (entry.ObjectType.empty()) return entry.Value;

  PropertyBagX nested(depth_ + 1);
  nested.Contents(NestedText(entry.Value));

  if (entry.ObjectType == kFontType) {
    auto font = std::make_shared<StdFont>();
    font->Name(ReadFontAttribute(nested, u"Name", std::nullopt,
                                 [](const Variant& v) { return v.ToString(); }));
    font->Size(ReadFontAttribute(nested, u"Size", std::nullopt,
                                 [](const Variant& v) { return v.ToCurrency(); }));
    font->Weight(ReadFontAttribute(nested, u"Weight", Variant::Bool(false),
                                   [](const Variant& v) { return v.ToI2(); }));
    font->Bold(ReadFontAttribute(nested, u"Bold", Variant::Bool(false),
                                 [](const Variant& v) { return v.ToBool(); }));
    font->Charset(ReadFontAttribute(nested, u"Charset", Variant::I2(0),
                                    [](const Variant& v) { return v.ToI2(); }));
    font->Italic(ReadFontAttribute(nested, u"Italic", Variant::Bool(false),
                                   [](const Variant& v) { return v.ToBool(); }));
    font->Strikethrough(ReadFontAttribute(nested, u"Strikethrough", Variant::Bool(false),
                                          [](const Variant& v) { return v.ToBool(); }));
    font->Underline(ReadFontAttribute(nested, u"Underline", Variant::Bool(false),
                                      [](const Variant& v) { return v.ToBool(); }));
    return Variant::Obj(font);
  }

  // A class of the component. From here on every failure gives a null
  // reference. Past the nesting limit nothing is created, so crafted contents
  // cannot drive the recursion (object -> ReadProperties -> ReadProperty) deep.
  if (depth_ + 1 > kMaxNesting) return Variant::Obj(nullptr);
  try {
    std::shared_ptr<IPropertyBagX> object;
    try {
      object = AsPersistable(CreateObject(entry.ObjectType));
    } catch (const AutomationError& e) {
      if (e.Number() != kCantCreateObject) return Variant::Obj(nullptr);
      // Shortens the stored class name in place.
      object = CreateClassInstance(entries_[index - 1].ObjectType);
    }
    if (!object) return Variant::Obj(nullptr);
    object->ReadProperties(nested);
    return Variant::Obj(object);
  } catch (const std::exception&) {
    return Variant::Obj(nullptr);
  }
}

}  // namespace rxTheme
