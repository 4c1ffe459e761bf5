#include <rxtheme/persist/property_bag.h>

#include <algorithm>
#include <type_traits>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/runtime/std_font.h>
#include "persist/class_factory.h"
#include "persist/contents_codec.h"
#include "persist/font_attributes.h"
#include "persist/name_index.h"
#include "persist/stored_entry.h"

namespace rxTheme {

namespace {

// A growing list of entries is moved as bytes only if they are trivial.
static_assert(std::is_trivial_v<StoredEntry>);

constexpr size_t kGrowBy = 10;
constexpr size_t kMinRecordUnits = 9;                            // three empty texts
constexpr size_t kMaxFirstReserve = 1024 / sizeof(StoredEntry);  // 1 KB of entries
constexpr std::u16string_view kNullReference = u" ";
constexpr std::u16string_view kFontType = u"Font";

const CreatableRegistration kRegistration(u"rxTheme.PropertyBagX",
                                          [] { return std::make_shared<PropertyBagX>(); });

}  // namespace

struct PropertyBagX::WrittenEntry {
  StoredEntry entry;
  std::shared_ptr<const WString> storage;
};

PropertyBagX::PropertyBagX() = default;
PropertyBagX::PropertyBagX(int depth) : depth_(depth) {}
PropertyBagX::~PropertyBagX() = default;
// A copy starts without a name index: it is made again on a lookup that needs it.
PropertyBagX::PropertyBagX(const PropertyBagX& other)
    : Object(other),
      entries_(other.entries_),
      contents_(other.contents_),
      written_(other.written_),
      depth_(other.depth_) {}
PropertyBagX::PropertyBagX(PropertyBagX&& other) noexcept = default;
PropertyBagX& PropertyBagX::operator=(const PropertyBagX& other) {
  if (this != &other) *this = PropertyBagX(other);
  return *this;
}
PropertyBagX& PropertyBagX::operator=(PropertyBagX&& other) noexcept = default;

size_t PropertyBagX::Find(std::u16string_view name) {
  if (!index_) {
    if (entries_.size() <= NameIndex::kWalkLimit) return NameIndex::Walk(entries_, name);
    index_ = std::make_unique<NameIndex>();
  }
  return index_->Find(entries_, name);
}

Variant StoredEntry::Value() const {
  if (is_text_) return Variant(WString(Text()));
  return Variant::FromImage(image_).value_or(Variant());  // a stored image is one it reads
}

WString PropertyBagX::Contents() const { return Encode(0); }

WString PropertyBagX::Encode(size_t spare) const {
  WString out;
  if (entries_.empty()) {
    out.reserve(1 + spare);
    out.push_back(kEmptyBagUnit);
    return out;
  }
  size_t units = 0;
  for (const StoredEntry& e : entries_) {
    units += ContentsWriter::TextSize(e.Name()) + ContentsWriter::TextSize(e.ObjectType()) +
             (e.is_text_ ? ContentsWriter::TextSize(e.Text()) : ContentsWriter::kImageSize);
  }
  out.reserve(units + spare);
  ContentsWriter writer(out, units);
  for (const StoredEntry& e : entries_) {
    writer.Text(kTagName, e.Name());
    writer.Text(kTagObjectType, e.ObjectType());
    if (e.is_text_) {
      writer.Text(kTagString, e.Text());
    } else {
      writer.Image(e.image_);
    }
  }
  return out;
}

void PropertyBagX::Contents(WString value) {
  auto owner = std::make_shared<const WString>(std::move(value));
  const std::u16string_view all(*owner);
  Decode(std::move(owner), all);
}

void PropertyBagX::Decode(std::shared_ptr<const WString> owner, std::u16string_view contents) {
  entries_.clear();
  written_.clear();
  if (index_) index_->Clear();
  contents_ = std::move(owner);
  // Room for as many records as the smallest record size allows, up to a
  // first block small enough for the allocator's fast per-size caches. A
  // first pass that counted the records would cost more than the list's
  // growth does: the walk over the fields is most of the decoding's work.
  entries_.reserve(std::min(contents.size() / kMinRecordUnits + 1, kMaxFirstReserve));
  ContentsReader reader(contents);
  while (reader.AtRecord()) {
    if (entries_.size() == entries_.capacity()) ReserveForRest(reader.Position(), contents.size());
    // The entry joins the list before its fields are read, so that a fault
    // leaves it behind with the fields decoded so far.
    StoredEntry& e = entries_.emplace_back();
    e.name_ = StoredEntry::ViewOf(reader.Text(kTagName));
    e.type_ = StoredEntry::ViewOf(reader.Text(kTagObjectType));
    std::u16string_view text;
    if (reader.Value(text, e.image_)) e.SetText(text);
  }
}

void PropertyBagX::ReserveForRest(size_t position, size_t units) {
  // The records still to come, guessed from the average size of those
  // decoded so far, and an eighth more for records that run shorter: a long
  // list then grows once, not once per doubling. The guess is at most an
  // eighth over what the units left hold at the smallest record size; and
  // the list at least doubles, so a guess too low costs no more than the
  // usual growth.
  const size_t decoded = entries_.size();
  const size_t per_record = std::max(position / std::max<size_t>(decoded, 1), kMinRecordUnits);
  const size_t guess = (units - position) / per_record + 1;
  entries_.reserve(decoded + std::max(guess + guess / 8, decoded));
}

PropertyBagX PropertyBagX::Nested(size_t index) const {
  const StoredEntry& e = entries_.at(index);
  PropertyBagX nested(depth_ + 1);
  if (e.is_text_) {
    nested.Decode(StorageOf(index), e.Text());
    return nested;
  }
  // Only crafted contents hold a nested value that is not text: its text
  // form is decoded, and one that has none is malformed contents.
  WString text;
  try {
    text = e.Value().ToString();
  } catch (const AutomationError&) {
    RaiseInvalidContents();
  }
  nested.Contents(std::move(text));
  return nested;
}

void PropertyBagX::FindEach(const NameTable& keys, std::span<size_t> first) const {
  std::fill(first.begin(), first.end(), kNotFound);
  size_t from = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const size_t k = keys.Find(entries_[i].Name(), from);
    if (k >= first.size()) continue;
    if (first[k] == kNotFound) first[k] = i;
    from = k + 1;
  }
}

std::vector<PropertyEntry> PropertyBagX::Entries() const {
  std::vector<PropertyEntry> out;
  out.reserve(entries_.size());
  for (const StoredEntry& e : entries_) {
    out.push_back({WString(e.Name()), WString(e.ObjectType()), e.Value()});
  }
  return out;
}

const std::shared_ptr<const WString>& PropertyBagX::StorageOf(size_t index) const {
  if (index < written_.size() && written_[index]) return written_[index];
  return contents_;
}

PropertyBagX::WrittenEntry PropertyBagX::Written(WString value_text, std::u16string_view name,
                                                 std::u16string_view type) {
  const size_t text_units = value_text.size();
  value_text.append(name);
  value_text.append(type);
  WrittenEntry w{{}, std::make_shared<const WString>(std::move(value_text))};
  const char16_t* at = w.storage->data();
  w.entry.name_ = {at + text_units, name.size()};
  w.entry.type_ = {at + text_units + name.size(), type.size()};
  return w;
}

void PropertyBagX::SetValueText(WrittenEntry& written, size_t units) {
  written.entry.SetText({written.storage->data(), units});
}

void PropertyBagX::Append(WrittenEntry written) {
  if (entries_.capacity() == 0) entries_.reserve(kGrowBy);
  written_.resize(entries_.size());  // entries decoded before it own no storage
  written_.push_back(std::move(written.storage));
  entries_.push_back(written.entry);
  if (index_) index_->Append(entries_);
}

void PropertyBagX::WriteProperty(const WString& name, const Variant& value,
                                 const std::optional<Variant>& default_value) {
  // The last entry fills the place of the one replaced: X, Y, Z and then X
  // again give Z, Y, X.
  const size_t found = Find(name);
  if (found != kNotFound) {
    if (index_) index_->Remove(entries_, found);
    if (!written_.empty()) {
      written_.resize(entries_.size());
      if (found + 1 != written_.size()) written_[found] = std::move(written_.back());
      written_.pop_back();
    }
    if (found + 1 != entries_.size()) entries_[found] = entries_.back();
    entries_.pop_back();
  }

  if (!value.IsObject()) {
    if (default_value && VariantEquals(value, *default_value)) return;
    if (value.IsString()) {
      const WString& text = value.StringValue();
      WString texts;
      texts.reserve(text.size() + name.size());
      texts = text;
      WrittenEntry w = Written(std::move(texts), name, {});
      SetValueText(w, text.size());
      Append(std::move(w));
      return;
    }
    WrittenEntry w = Written({}, name, {});
    w.entry.image_ = value.ToImage();
    Append(std::move(w));
    return;
  }

  const ObjectRef& object = value.ObjectValue();
  if (!object) {
    Append(Written({}, name, kNullReference));  // the value is Empty
    return;
  }

  PropertyBagX nested(depth_ + 1);
  WString type;
  if (object->TypeName() == kFontType) {
    auto font = std::dynamic_pointer_cast<StdFont>(object);
    if (!font) RaiseError(kTypeMismatch);
    WriteFontAttributes(*font, nested);
    type = kFontType;
  } else {
    std::shared_ptr<IPropertyBagX> persistable = AsPersistable(object);
    if (!persistable) RaiseError(kTypeMismatch);
    persistable->WriteProperties(nested);
    type = persistable->ClassName();
  }
  WString contents = nested.Encode(name.size() + type.size());
  const size_t units = contents.size();
  WrittenEntry w = Written(std::move(contents), name, type);
  SetValueText(w, units);
  Append(std::move(w));
}

Variant PropertyBagX::ReadProperty(std::u16string_view name,
                                   const std::optional<Variant>& default_value) {
  static const Variant kEmpty;  // no default given
  return Read(name, default_value ? *default_value : kEmpty);
}

Variant PropertyBagX::ReadProperty(std::u16string_view name, const Variant& default_value) {
  return Read(name, default_value);
}

Variant PropertyBagX::Read(std::u16string_view name, const Variant& def) {
  // A null object reference as the default behaves like a plain default. A
  // default object that is not persistable raises 13 once it is used, which
  // a stored null reference never does.
  const bool default_is_object = def.IsObject() && def.ObjectValue() != nullptr;
  const auto default_persistable = [&] {
    std::shared_ptr<IPropertyBagX> object = AsPersistable(def.ObjectValue());
    if (!object) RaiseError(kTypeMismatch);
    return object;
  };

  const size_t index = Find(name);
  if (index == kNotFound) {
    if (default_is_object) default_persistable()->InitProperties();
    return def;
  }
  if (entries_[index].ObjectType() == kNullReference) return Variant::Obj(nullptr);
  if (default_is_object) {
    const std::shared_ptr<IPropertyBagX> object = default_persistable();
    PropertyBagX nested = Nested(index);
    object->ReadProperties(nested);
    return def;
  }
  return ReadFound(index);
}

Variant PropertyBagX::ReadFound(size_t index) {
  const StoredEntry& e = entries_.at(index);
  if (e.ObjectType() == kNullReference) return Variant::Obj(nullptr);
  if (e.ObjectType().empty()) return e.Value();
  return ReadObject(index);
}

Variant PropertyBagX::ReadObject(size_t index) {
  PropertyBagX nested = Nested(index);  // malformed nested contents raise here
  if (entries_[index].ObjectType() == kFontType) return Variant::Obj(ReadFontAttributes(nested));

  // A class of the component. From here on every failure gives a null
  // reference. Past the nesting limit nothing is created, so crafted contents
  // cannot drive the recursion (object -> ReadProperties -> ReadProperty) deep.
  if (depth_ + 1 > kMaxNesting) return Variant::Obj(nullptr);
  try {
    std::u16string_view type = entries_[index].ObjectType();
    // The class is made by its identifier where the platform can, else by
    // the class factory. Asking first, rather than catching the platform's
    // 429, keeps a restore free of exceptions.
    ObjectRef created;
    try {
      created = TryCreateObject(type);
    } catch (const AutomationError& e) {
      if (e.Number() != kCantCreateObject) return Variant::Obj(nullptr);
    }
    std::shared_ptr<IPropertyBagX> object;
    if (created) {
      object = AsPersistable(created);
    } else {
      // The factory shortens the stored name to its tail, before it creates
      // the object: the entry keeps the tail whether or not that succeeds.
      const auto keep_tail = [&] { entries_[index].type_ = StoredEntry::ViewOf(type); };
      try {
        object = CreateClassInstance(type);
      } catch (...) {
        keep_tail();
        throw;
      }
      keep_tail();
    }
    if (!object) return Variant::Obj(nullptr);
    object->ReadProperties(nested);
    return Variant::Obj(object);
  } catch (const std::exception&) {
    return Variant::Obj(nullptr);
  }
}

}  // namespace rxTheme
