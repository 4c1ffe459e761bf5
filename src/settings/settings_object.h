// SettingsObject<kShape, Base>: what the three settings objects share, the
// implementation of the public class Base. A settings
// object holds, for each string property of its table, one theme value per
// theme variant and one custom value set by the host, and two flags that
// decide which of them a get returns. Objects with folder support also put the
// theme's working folder in front of their picture values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <rxtheme/persist/persistable.h>
#include <rxtheme/runtime/wstring.h>
#include "platform/env.h"
#include "settings/property_info.h"
#include "settings/settings_key.h"
#include "settings/text_slots.h"

namespace rxTheme {

// One kind of settings object.
struct SettingsShape {
  const char16_t* class_name;  // "CColorObject"
  // The property table, in interface, persistence and style-sheet test order.
  std::span<const PropertyInfo> properties;
  // 1 or 2 theme values per property; with 2, an Index field picks the
  // variant and is saved as "Index".
  size_t variants;
  bool has_folder;         // IncludePath and WorkingFolder exist (and are saved)
  bool use_theme_default;  // the UseThemeSettings of a restore without that key
};

template <const SettingsShape& kShape, class Base>
class SettingsObject : public Base {
  static_assert(PrefixesAreLowerAndEndAtTheirOnlyColon(kShape.properties));

 public:
  static constexpr size_t kPropertyCount = kShape.properties.size();
  static constexpr size_t kVariantCount = kShape.variants;
  static constexpr bool kHasFolder = kShape.has_folder;
  static constexpr size_t kTextCount = kPropertyCount * (kVariantCount + 1) + (kHasFolder ? 1 : 0);

  // The property table, in property order.
  static constexpr std::span<const PropertyInfo> Properties() { return kShape.properties; }

  // Automation interface: the two flags.
  bool UseThemeSettings() const { return use_theme_settings_; }
  void UseThemeSettings(bool value) { use_theme_settings_ = value; }
  bool UseCustomSettings() const { return use_custom_settings_; }
  void UseCustomSettings(bool value) { use_custom_settings_ = value; }

  // The public string properties by position (every property but the
  // internal ones, in property order), for front ends that list or set them by
  // name. A position out of range raises 9.
  static const std::vector<WString>& StringPropertyNames();
  // The effective value (Effective below) of the property at `position`.
  WString GetStringProperty(size_t position) const;
  // Stores the custom value of the property at `position`.
  void SetStringProperty(size_t position, const WString& value);

  // For writers that publish a theme in another form (a style sheet, tokens):
  // the theme value of `property` (a position in the property table) in
  // `variant` (0, or 0 or 1 with two variants; raises 9 otherwise), whatever
  // the flags and Index say.
  WString ThemeValueOf(size_t property, size_t variant) const {
    if (variant >= kVariantCount) RaiseVariantOutOfRange();
    return WString(texts_[ThemeSlot(property, variant)]);
  }
  // The value that a get of `property` returns, but a picture without the
  // working folder in front.
  WString EffectiveName(size_t property) const { return WString(EffectiveView(property)); }

  // Internal members, for the owning section only.
  int16_t Index(SettingsKey) const requires(kVariantCount == 2) { return index_; }
  void Index(SettingsKey, int16_t value)  // no range check
      requires(kVariantCount == 2) {
    index_ = value;
  }
  bool IncludePath(SettingsKey) const requires kHasFolder { return include_path_; }
  void IncludePath(SettingsKey, bool value) requires kHasFolder { include_path_ = value; }
  WString WorkingFolder(SettingsKey) const requires kHasFolder {
    return WString(texts_[kFolderSlot]);
  }
  // Stores the folder with kPathSeparator appended when it does not already
  // end with one ("" becomes the separator alone).
  void WorkingFolder(SettingsKey, const WString& folder) requires kHasFolder {
    if (!folder.empty() && folder.back() == kPathSeparator)
      return texts_.Assign(kFolderSlot, folder);
    WString with_separator;
    with_separator.reserve(folder.size() + 1);
    with_separator.append(folder).push_back(kPathSeparator);
    texts_.Assign(kFolderSlot, with_separator);
  }
  // Stores the theme value of `property` (a position in the property table,
  // internal properties included) in the selected variant. With two variants,
  // raises 9 and stores nothing unless Index is 0 or 1.
  void ThemeValue(SettingsKey, size_t property, const WString& value);

  // Persistence: the keys of SavedFields(), in order, each with its default.
  WString TypeName() const override { return kShape.class_name; }
  WString ClassName() const override;
  void WriteProperties(PropertyBagX& bag) override;
  void ReadProperties(PropertyBagX& bag) override;

  // The value that a get returns: the custom value when it is set and custom
  // settings are on, else the theme value of the selected variant when theme
  // settings are on (raising 9 for an Index other than 0 or 1), else "". A
  // picture property then gets WorkingFolder in front when IncludePath is
  // true, even when the value is empty.
  WString Effective(size_t property) const;
  // Effective's value before the working folder goes in front.
  std::u16string_view EffectiveView(size_t property) const;
  [[noreturn]] static void RaiseVariantOutOfRange();
  void SetCustom(size_t property, const WString& value) {
    texts_.Assign(CustomSlot(property), value);
  }

 private:
  // One saved key and the field behind it.
  enum class Field : uint8_t { kIndex, kUseCustom, kUseTheme, kTheme, kCustom, kInclude, kFolder };
  struct SavedField {
    WString key;
    Field field;
    size_t slot = 0;  // the text slot of a kTheme, kCustom or kFolder field

    bool IsText() const { return field >= Field::kTheme && field != Field::kInclude; }
  };
  // A text field as VisitField hands it out: one slot of texts_.
  struct TextField {
    TextSlots<kTextCount>& texts;
    size_t slot;
  };
  // The saved keys in order; both WriteProperties and ReadProperties walk it.
  static const std::vector<SavedField>& SavedFields();
  static constexpr size_t kSavedCount = (kVariantCount == 2 ? 1 : 0) + 2 +
                                        kPropertyCount * (kVariantCount + 1) + (kHasFolder ? 2 : 0);
  // Calls visit(key, field, default) for the field of a saved key, by
  // reference (int16_t or bool) or as a TextField (default WString()).
  template <class Fn>
  void VisitField(const SavedField& saved, Fn&& visit);

  // The property table position of a public position; raises 9 when there is
  // none.
  static size_t PublicProperty(size_t position);
  // The variant that Index selects: 0, or 0 or 1 with two variants.
  size_t VariantSlot() const;

  // The texts: the theme values by property and variant, then the custom
  // values by property, then the working folder.
  static constexpr size_t ThemeSlot(size_t property, size_t variant) {
    return property * kVariantCount + variant;
  }
  static constexpr size_t CustomSlot(size_t property) {
    return kPropertyCount * kVariantCount + property;
  }
  static constexpr size_t kFolderSlot = kPropertyCount * (kVariantCount + 1);

  TextSlots<kTextCount> texts_;
  int16_t index_ = 0;
  bool include_path_ = false;
  bool use_custom_settings_ = false;
  bool use_theme_settings_ = false;
};

// Rows and members generated from a property list of the form
//   X(Name, kind, style-sheet prefix, value reader)
#define RX_SETTINGS_PROPERTY_ROW(Name, kind, prefix, reader) \
  PropertyInfo{u"" #Name, PropertyKind::kind, prefix, ValueReader::reader},
// The members of a settings class: the property positions (kName), the named
// get and let of each public property, and the Theme<Name> setter of each
// property.
#define RX_SETTINGS_MEMBERS(LIST)                          \
  enum Property : size_t { LIST(RX_SETTINGS_ENUM_ENTRY) }; \
  LIST(RX_SETTINGS_PROPERTY_MEMBERS)
#define RX_SETTINGS_ENUM_ENTRY(Name, kind, prefix, reader) k##Name,
#define RX_SETTINGS_PROPERTY_MEMBERS(Name, kind, prefix, reader)                            \
  RX_SETTINGS_PUBLIC_##kind(Name) void Theme##Name(SettingsKey key, const WString& value) { \
    ThemeValue(key, k##Name, value);                                                        \
  }
#define RX_SETTINGS_PUBLIC_kImage(Name)               \
  WString Name() const { return Effective(k##Name); } \
  void Name(const WString& value) { SetCustom(k##Name, value); }
#define RX_SETTINGS_PUBLIC_kText(Name) RX_SETTINGS_PUBLIC_kImage(Name)
#define RX_SETTINGS_PUBLIC_kInternal(Name)

}  // namespace rxTheme
