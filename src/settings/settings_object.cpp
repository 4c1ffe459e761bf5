#include "settings/settings_object.h"

#include <exception>
#include <stdexcept>
#include <type_traits>
#include <utility>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/variant.h>
#include "persist/bag_access.h"
#include "persist/class_factory.h"
#include "persist/name_index.h"
#include "settings/settings_objects.h"

namespace rxTheme {

namespace {

// The plain values of the saved keys and their conversions on restore.
Variant Saved(int16_t value) { return Variant::I2(value); }
Variant Saved(bool value) { return Variant::Bool(value); }
Variant Saved(const WString& value) { return Variant(value); }
void Restore(const Variant& value, int16_t& field) { field = value.ToI2(); }
void Restore(const Variant& value, bool& field) { field = value.ToBool(); }
template <class Text>
requires requires(Text t) { t.texts; }
Variant Saved(const Text& field) { return Variant(WString(field.texts[field.slot])); }
template <class Text>
requires requires(Text t) { t.texts; }
void Restore(const Variant& value, Text& field) {
  field.texts.Assign(field.slot, value.ToString());
}

// Stores entry `at` of `bag`, one that FindEach gave, into `field` as
// Restore(bag.ReadProperty(key, Saved(default)), field) does; a plain text
// goes in without a variant in between.
template <class T>
void RestoreStored(PropertyBagX& bag, size_t at, T& field) {
  if constexpr (requires { field.texts; }) {
    const StoredEntry& e = BagAccess::Stored(bag)[at];
    if (e.ObjectType().empty() && e.IsText()) return field.texts.Assign(field.slot, e.Text());
  }
  Restore(BagAccess::ReadFound(bag, at), field);
}

// A saved key: `head`, the property name, `tail`. Appended into one string:
// GCC 12 at -O3 reports a false -Wrestrict for operator+ on these strings.
WString Key(std::u16string_view head, std::u16string_view name, std::u16string_view tail) {
  WString key;
  key.reserve(head.size() + name.size() + tail.size());
  key.append(head).append(name).append(tail);
  return key;
}

// The properties that the automation interface shows, by position.
std::vector<size_t> PublicProperties(std::span<const PropertyInfo> table) {
  std::vector<size_t> positions;
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].kind != PropertyKind::kInternal) positions.push_back(i);
  }
  return positions;
}

}  // namespace

template <const SettingsShape& kShape, class Base>
const std::vector<WString>& SettingsObject<kShape, Base>::StringPropertyNames() {
  static const std::vector<WString> kNames = [] {
    std::vector<WString> names;
    for (size_t property : PublicProperties(Properties()))
      names.emplace_back(Properties()[property].name);
    return names;
  }();
  return kNames;
}

template <const SettingsShape& kShape, class Base>
WString SettingsObject<kShape, Base>::GetStringProperty(size_t position) const {
  return Effective(PublicProperty(position));
}

template <const SettingsShape& kShape, class Base>
void SettingsObject<kShape, Base>::SetStringProperty(size_t position, const WString& value) {
  SetCustom(PublicProperty(position), value);
}

template <const SettingsShape& kShape, class Base>
size_t SettingsObject<kShape, Base>::PublicProperty(size_t position) {
  static const std::vector<size_t> kProperties = PublicProperties(Properties());
  if (position >= kProperties.size()) RaiseError(kSubscriptOutOfRange);
  return kProperties[position];
}

template <const SettingsShape& kShape, class Base>
size_t SettingsObject<kShape, Base>::VariantSlot() const {
  if constexpr (kVariantCount == 1) {
    return 0;
  } else {
    if (index_ != 0 && index_ != 1) RaiseError(kSubscriptOutOfRange);
    return static_cast<size_t>(index_);
  }
}

template <const SettingsShape& kShape, class Base>
void SettingsObject<kShape, Base>::RaiseVariantOutOfRange() {
  RaiseError(kSubscriptOutOfRange);
}

template <const SettingsShape& kShape, class Base>
std::u16string_view SettingsObject<kShape, Base>::EffectiveView(size_t property) const {
  if (!texts_[CustomSlot(property)].empty() && use_custom_settings_) {
    return texts_[CustomSlot(property)];
  }
  if (use_theme_settings_) return texts_[ThemeSlot(property, VariantSlot())];
  return {};
}

template <const SettingsShape& kShape, class Base>
WString SettingsObject<kShape, Base>::Effective(size_t property) const {
  const std::u16string_view value = EffectiveView(property);
  std::u16string_view folder;
  if constexpr (kHasFolder) {
    if (include_path_ && Properties()[property].kind == PropertyKind::kImage)
      folder = texts_[kFolderSlot];
  }
  // Built by appending into reserved space: GCC 12 at -O3 reports a false
  // -Wrestrict for insert(0, ...) and operator+ on these strings.
  WString result;
  result.reserve(folder.size() + value.size());
  result.append(folder).append(value);
  return result;
}

template <const SettingsShape& kShape, class Base>
void SettingsObject<kShape, Base>::ThemeValue(SettingsKey, size_t property, const WString& value) {
  if (property >= kPropertyCount) throw std::out_of_range("SettingsObject::ThemeValue");
  texts_.Assign(ThemeSlot(property, VariantSlot()), value);
}

template <const SettingsShape& kShape, class Base>
WString SettingsObject<kShape, Base>::ClassName() const {
  return WString(kLibraryName) + u"." + kShape.class_name;
}

template <const SettingsShape& kShape, class Base>
const std::vector<typename SettingsObject<kShape, Base>::SavedField>&
SettingsObject<kShape, Base>::SavedFields() {
  static const std::vector<SavedField> kFields = [] {
    std::vector<SavedField> fields;
    if constexpr (kVariantCount == 2) fields.push_back({u"Index", Field::kIndex});
    fields.push_back({u"UseCustomSettings", Field::kUseCustom});
    fields.push_back({u"UseThemeSettings", Field::kUseTheme});
    for (size_t variant = 0; variant < kVariantCount; ++variant) {
      // With variants the key carries the variant: "Color(0)", "Color(1)".
      const char16_t* suffix = kVariantCount == 1 ? u"" : variant == 0 ? u"(0)" : u"(1)";
      for (size_t i = 0; i < kPropertyCount; ++i) {
        fields.push_back(
            {Key(u"", Properties()[i].name, suffix), Field::kTheme, ThemeSlot(i, variant)});
      }
    }
    for (size_t i = 0; i < kPropertyCount; ++i)
      fields.push_back({Key(u"C", Properties()[i].name, u""), Field::kCustom, CustomSlot(i)});
    if constexpr (kHasFolder) {
      fields.push_back({u"IncludePath", Field::kInclude});
      fields.push_back({u"WorkingFolder", Field::kFolder, kFolderSlot});
    }
    if (fields.size() != kSavedCount) std::terminate();  // ReadProperties sizes by the count
    return fields;
  }();
  return kFields;
}

template <const SettingsShape& kShape, class Base>
template <class Fn>
void SettingsObject<kShape, Base>::VisitField(const SavedField& saved, Fn&& visit) {
  switch (saved.field) {
    case Field::kIndex:
      return visit(saved.key, index_, int16_t{0});
    case Field::kUseCustom:
      return visit(saved.key, use_custom_settings_, false);
    case Field::kUseTheme:
      return visit(saved.key, use_theme_settings_, kShape.use_theme_default);
    case Field::kTheme:
    case Field::kCustom:
    case Field::kFolder: {
      TextField text{texts_, saved.slot};
      return visit(saved.key, text, WString());
    }
    case Field::kInclude:
      return visit(saved.key, include_path_, false);
  }
}

template <const SettingsShape& kShape, class Base>
void SettingsObject<kShape, Base>::WriteProperties(PropertyBagX& bag) {
  for (const SavedField& saved : SavedFields()) {
    VisitField(saved, [&](const WString& key, const auto& field, const auto& default_value) {
      bag.WriteProperty(key, Saved(field), Saved(default_value));
    });
  }
}

// Every value is converted to its field's type and stored as read (a folder
// without its trailing separator stays so); a value that does not convert
// raises 6 or 13, and the fields read before it keep their new values. The
// bag is walked once for the keys it holds; an absent key stores its default.
template <const SettingsShape& kShape, class Base>
void SettingsObject<kShape, Base>::ReadProperties(PropertyBagX& bag) {
  static const NameTable kKeys = [] {
    std::vector<WString> keys;
    for (const SavedField& saved : SavedFields()) keys.push_back(saved.key);
    return NameTable(std::move(keys));
  }();
  std::array<size_t, kSavedCount> found;
  BagAccess::FindEach(bag, kKeys, found);
  // The texts about to be stored get one block; texts that are empty already
  // need no clearing when their key is absent.
  size_t units = 0;
  for (const StoredEntry& e : BagAccess::Stored(bag)) {
    if (e.IsText() && e.ObjectType().empty()) units += e.Text().size();
  }
  texts_.Reserve(units);
  const bool texts_were_empty = texts_.AllEmpty();
  const std::vector<SavedField>& fields = SavedFields();
  for (size_t k = 0; k < kSavedCount; ++k) {
    const size_t at = found[k];
    if (at == NameIndex::kNotFound && texts_were_empty && fields[k].IsText()) continue;
    VisitField(fields[k], [&](const WString&, auto& field, const auto& default_value) {
      if (at != NameIndex::kNotFound) {
        RestoreStored(bag, at, field);
      } else if constexpr (requires { field.texts; }) {
        field.texts.Clear(field.slot);  // the default of every text is ""
      } else {
        field = default_value;
      }
    });
  }
}

template class SettingsObject<kColorShape, CColorObject>;
template class SettingsObject<kGraphShape, CGraphObject>;
template class SettingsObject<kBaseShape, CThemeBaseObject>;

}  // namespace rxTheme
