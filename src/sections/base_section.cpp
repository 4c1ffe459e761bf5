#include "sections/base_section.h"

#include <algorithm>

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "sections/css_parse.h"
#include "sections/theme_support.h"

namespace rxTheme {

namespace {

const ClassRegistration kRegistration(u"CThemeBase", [] { return std::make_shared<CThemeBase>(); });

}  // namespace

const std::array<SlotInfo, CThemeBase::kSlotCount>& CThemeBase::Slots() {
  static const std::array<SlotInfo, kSlotCount> kSlots = {{
      {u"Base", u"base", nullptr},
      {u"TopBarFont", u"topbarfont", u"topbar-font"},
      {u"Body", u"body", nullptr},
      {u"H1", u"h1", nullptr},
      {u"H2", u"h2", nullptr},
      {u"H3", u"h3", nullptr},
      {u"H4", u"h4", nullptr},
      {u"H5", u"h5", nullptr},
      {u"H6", u"h6", nullptr},
  }};
  return kSlots;
}

CThemeBase::CThemeBase() : slots_(Slots()) {}

const std::vector<WString>& CThemeBase::StyleNames() {
  static const std::vector<WString> kNames =
      SectionSlots<CThemeBaseObject, kSlotCount>::StyleNames(Slots());
  return kNames;
}

void CThemeBase::UseThemeSettings(SectionKey, bool value) {
  slots_.ForEach([&](CThemeBaseObject& object) { object.UseThemeSettings(value); });
}

void CThemeBase::UseCustomSettings(SectionKey, bool value) {
  slots_.ForEach([&](CThemeBaseObject& object) { object.UseCustomSettings(value); });
}

void CThemeBase::IncludePath(SectionKey, bool value) {
  slots_.ForEach([&](CThemeBaseObject& object) { object.IncludePath(SettingsKey{}, value); });
}

std::shared_ptr<CThemeBaseObject> CThemeBase::Item(SectionKey, const WString& name) {
  return slots_.Find(name);
}

void CThemeBase::LoadCss(SectionKey, const WString& folder, WString& text) {
  WString selector;
  std::shared_ptr<CThemeBaseObject> current;
  bool in_block = false;
  while (!text.empty()) {
    const WString line = NextLine(text);
    if (in_block) {
      // Inside a block the current object is always a slot's object.
      if (TrimSpaces(line) == u"}") {
        in_block = false;
        continue;
      }
      const size_t property = MatchDeclaration(line, CThemeBaseObject::Properties());
      if (property == kNoDeclaration) continue;
      current->ThemeValue(
          SettingsKey{}, property,
          ReadDeclarationValue(CThemeBaseObject::Properties()[property].reader, line));
    } else if (IsStyleTagLine(line)) {
      continue;
    } else if (line.find(u'{') == WString::npos) {
      selector = ClassSelectorName(line);
    } else if (auto object = slots_.Find(selector)) {
      // The rest of the "{" line is ignored, declarations and "}" included.
      current = std::move(object);
      in_block = true;
    } else {
      // A one-line rule: its first word names the object; the rule only sets
      // that object's working folder and, for a line that mentions "body",
      // its background image.
      const size_t space = line.find(u' ');
      const WString word = space == WString::npos
                               ? WString()
                               : TrimSpaces(std::u16string_view(line).substr(0, space + 1));
      current = slots_.Find(word);
      if (!current) continue;
      current->WorkingFolder(SettingsKey{}, folder);
      if (ContainsNoCase(line, u"body")) {
        WString unquoted = line;
        std::erase(unquoted, u'\'');
        current->ThemeBackgroundImage(SettingsKey{}, CssUrl(unquoted));
      }
    }
  }
}

WString CThemeBase::ClassName() const { return WString(kLibraryName) + u".CThemeBase"; }

void CThemeBase::WriteProperties(PropertyBagX& bag) { slots_.Write(bag); }

void CThemeBase::ReadProperties(PropertyBagX& bag) { slots_.Read(bag); }

}  // namespace rxTheme
