#include "authoring/sheet_tables.h"

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme {
namespace {

// A class selector: ".mstheme-" and the style name, or the name alone;
// ".mstheme" alone selects base.
#define RX_CLASS_SELECTORS \
  "the style name or .mstheme-NAME on a line of its own (.mstheme alone is base)"

const SheetKind kKinds[] = {
    {PieceRole::kColorSheet,
     "color",
     {"color0.css", "color1.css"},
     {"normal colors", "vivid colors"},
     "the style name on a line of its own; a leading \"a:\" is dropped (a:link)",
     CColor::Slots(),
     ColorObjectImpl::Properties()},
    {PieceRole::kGraphSheet,
     "graph",
     {"graph0.css", "graph1.css"},
     {"normal graphics", "active graphics"},
     RX_CLASS_SELECTORS,
     CGraph::Slots(),
     GraphObjectImpl::Properties()},
    {PieceRole::kBaseSheet,
     "base",
     {"theme.css", nullptr},
     {"fonts, alignments and background picture", nullptr},
     RX_CLASS_SELECTORS "; the one-line rule body { background-image: url(name) } sets "
                        "body's background picture",
     CThemeBase::Slots(),
     BaseObjectImpl::Properties()},
};

}  // namespace

std::span<const SheetKind> SheetKinds() { return kKinds; }

const SheetKind& KindOf(PieceRole role) {
  for (const SheetKind& kind : kKinds) {
    if (kind.role == role) return kind;
  }
  return kKinds[2];
}

std::vector<WString> StyleNames(const SheetKind& kind) {
  std::vector<WString> names;
  for (const SlotInfo& slot : kind.slots) {
    names.push_back(LCase(slot.key));
    if (slot.alias != nullptr) names.push_back(slot.alias);
  }
  return names;
}

WString StyleList(const SheetKind& kind) {
  WString list;
  for (const WString& name : StyleNames(kind)) list += (list.empty() ? u"" : u", ") + name;
  return list;
}

const PropertyInfo* FindProperty(const SheetKind& kind, std::u16string_view name) {
  for (const PropertyInfo& property : kind.properties) {
    if (property.prefix.size() == name.size() + 1 &&
        EqualsNoCase(property.prefix.substr(0, name.size()), name)) {
      return &property;
    }
  }
  return nullptr;
}

const char* ValueKind(const PropertyInfo& property) {
  if (property.reader == ValueReader::kColor) return "color";
  return property.kind == PropertyKind::kImage ? "picture" : "text";
}

const char* WrittenForm(const PropertyInfo& property) {
  switch (property.reader) {
    case ValueReader::kColor:
      return "rgb(r, g, b)";
    case ValueReader::kUrl:
      return property.kind == PropertyKind::kImage ? "url(name)" : "url(text)";
    case ValueReader::kValue:
      break;
  }
  return "text";
}

}  // namespace rxTheme
