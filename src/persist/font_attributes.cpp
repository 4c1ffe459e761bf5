#include "persist/font_attributes.h"

#include <optional>

#include <rxtheme/persist/property_bag.h>

namespace rxTheme {

namespace {

enum class Default { kNone, kFalse, kZero };  // none, boolean false, 16-bit 0

struct FontAttribute {
  const char16_t* key;
  Default default_value;
  int read_order;
  Variant (*get)(const StdFont&);
  void (*set)(StdFont&, const Variant&);
};

// In the order written.
const FontAttribute kAttributes[] = {
    {u"Bold", Default::kFalse, 3, [](const StdFont& f) { return Variant::Bool(f.Bold()); },
     [](StdFont& f, const Variant& v) { f.Bold(v.ToBool()); }},
    {u"Charset", Default::kZero, 4, [](const StdFont& f) { return Variant::I2(f.Charset()); },
     [](StdFont& f, const Variant& v) { f.Charset(v.ToI2()); }},
    {u"Italic", Default::kFalse, 5, [](const StdFont& f) { return Variant::Bool(f.Italic()); },
     [](StdFont& f, const Variant& v) { f.Italic(v.ToBool()); }},
    {u"Name", Default::kNone, 0, [](const StdFont& f) { return Variant(f.Name()); },
     [](StdFont& f, const Variant& v) { f.Name(v.ToString()); }},
    {u"Size", Default::kNone, 1, [](const StdFont& f) { return Variant::Currency(f.Size()); },
     [](StdFont& f, const Variant& v) { f.Size(v.ToCurrency()); }},
    {u"Strikethrough", Default::kFalse, 6,
     [](const StdFont& f) { return Variant::Bool(f.Strikethrough()); },
     [](StdFont& f, const Variant& v) { f.Strikethrough(v.ToBool()); }},
    {u"Underline", Default::kFalse, 7,
     [](const StdFont& f) { return Variant::Bool(f.Underline()); },
     [](StdFont& f, const Variant& v) { f.Underline(v.ToBool()); }},
    // A weight of 0 equals the boolean false and is left out.
    {u"Weight", Default::kFalse, 2, [](const StdFont& f) { return Variant::I2(f.Weight()); },
     [](StdFont& f, const Variant& v) { f.Weight(v.ToI2()); }},
};

std::optional<Variant> DefaultOf(const FontAttribute& a) {
  switch (a.default_value) {
    case Default::kFalse:
      return Variant::Bool(false);
    case Default::kZero:
      return Variant::I2(0);
    case Default::kNone:
      break;
  }
  return std::nullopt;
}

}  // namespace

void WriteFontAttributes(const StdFont& font, PropertyBagX& bag) {
  for (const FontAttribute& a : kAttributes) bag.WriteProperty(a.key, a.get(font), DefaultOf(a));
}

std::shared_ptr<StdFont> ReadFontAttributes(PropertyBagX& bag) {
  auto font = std::make_shared<StdFont>();
  for (int order = 0; order < static_cast<int>(std::size(kAttributes)); ++order) {
    for (const FontAttribute& a : kAttributes) {
      if (a.read_order == order) a.set(*font, bag.ReadProperty(a.key, DefaultOf(a)));
    }
  }
  return font;
}

}  // namespace rxTheme
