#include "sections/color_section.h"

#include <gtest/gtest.h>

#include "persist/class_factory.h"
#include "persist/property_bag.h"
#include "runtime/automation_error.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::Sheet;

const SectionKey kKey = SectionTestPeer::Key();
const SettingsKey kObjectKey = SettingsTestPeer::Key();

// The theme color of `style` in `variant`, read through the public get.
WString ThemeColorOf(CColor& section, const WString& style, int16_t variant) {
  auto object = section.Item(kKey, style);
  const int16_t index = object->Index(kObjectKey);
  const bool use_theme = object->UseThemeSettings();
  const bool use_custom = object->UseCustomSettings();
  object->Index(kObjectKey, variant);
  object->UseThemeSettings(true);
  object->UseCustomSettings(false);
  WString color = object->Color();
  object->Index(kObjectKey, index);
  object->UseThemeSettings(use_theme);
  object->UseCustomSettings(use_custom);
  return color;
}

TEST(ColorSectionTest, WorkedExampleIntoVariantOne) {
  CColor section;
  WString text = Sheet({u"<style>", u"body", u"{", u"\tcolor: rgb(0, 0, 128);",
                        u"\tbackground-color: rgb(255, 255, 255);", u"}", u"a:link", u"{",
                        u"\tcolor: #0000FF;", u"}", u"</style>"});
  section.Item(kKey, u"link")->Index(kObjectKey, 1);
  section.Item(kKey, u"link")->ThemeColor(kObjectKey, u"#111111");
  section.LoadCss(kKey, u"ignored", text, 1);

  EXPECT_TRUE(text.empty());
  EXPECT_EQ(section.Index(kKey), 0) << "the section keeps its own Index";
  for (const WString& style : CColor::StyleNames()) {
    EXPECT_EQ(section.Item(kKey, style)->Index(kObjectKey), 1) << ToUtf8(style);
  }
  EXPECT_EQ(ThemeColorOf(section, u"body", 1), u"#000080");
  EXPECT_EQ(ThemeColorOf(section, u"body", 0), u"");
  auto body = section.Item(kKey, u"body");
  body->UseThemeSettings(true);
  EXPECT_EQ(body->BackgroundColor(), u"#FFFFFF");
  EXPECT_EQ(ThemeColorOf(section, u"link", 1), u"") << "a #-color is stored as empty";
}

TEST(ColorSectionTest, ItemLooksUpLowerCasedUntrimmedNames) {
  CColor section;
  auto body = section.Item(kKey, u"body");
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(section.Item(kKey, u"BODY"), body);
  EXPECT_EQ(section.Item(kKey, u"Body"), body);
  EXPECT_NE(section.Item(kKey, u"h6"), body);
  for (const WString name : {u" body", u"a:link", u"h7", u"", u"base"}) {
    EXPECT_EQ(section.Item(kKey, name), nullptr) << ToUtf8(name);
  }
  EXPECT_EQ(CColor::StyleNames().size(), 11u);
}

TEST(ColorSectionTest, FanOutsReachEveryObject) {
  CColor section;
  section.UseCustomSettings(kKey, true);
  section.Index(kKey, 1);
  EXPECT_EQ(section.Index(kKey), 1);
  for (const WString& style : CColor::StyleNames()) {
    auto object = section.Item(kKey, style);
    EXPECT_TRUE(object->UseCustomSettings());
    EXPECT_FALSE(object->UseThemeSettings());
    EXPECT_EQ(object->Index(kObjectKey), 1);
  }
  section.UseThemeSettings(kKey, true);
  EXPECT_TRUE(section.Item(kKey, u"h3")->UseThemeSettings());
}

TEST(ColorSectionTest, DeclarationsMustStartTheLine) {
  CColor section;
  WString text = Sheet({u"h1", u"{", u"  color: rgb(1,1,1);", u"\tBACKGROUND-COLOR: rgb(0,0)",
                        u"\ttable-border-color-light: rgb(1,2,3)", u"\tx-color: rgb(9,9,9)", u"}"});
  section.LoadCss(kKey, u"", text, 0);
  auto h1 = section.Item(kKey, u"h1");
  h1->UseThemeSettings(true);
  EXPECT_EQ(h1->Color(), u"") << "space-indented declaration matches nothing";
  EXPECT_EQ(h1->BackgroundColor(), u"#000000") << "prefix case ignored; malformed rgb";
  EXPECT_EQ(h1->TableBorderColorLight(), u"#010203");
}

TEST(ColorSectionTest, SelectorQuirks) {
  CColor section;
  WString text = Sheet({
      u"a:hover",
      u"{",
      u"\tcolor: rgb(1,1,1);",
      u"}",  // no slot: dropped
      u"h2",
      u"",
      u"{",
      u"\tcolor: rgb(2,2,2);",
      u"}",  // blank line: name ""
      u"h3 {",
      u"\tcolor: rgb(3,3,3);",
      u"}",  // "{" not alone
      u"h4",
      u"{",
      u"\tcolor: rgb(4,4,4);",
      u"}",
      u"{",
      u"\tbackground-color: rgb(4,4,4);",
      u"}",  // reopened for h4
      u"  A:VISITED  ",
      u"{",
      u"\tcolor: rgb(5,5,5);",
      u"}",  // "a:" only in lower case
      u"  a:active  ",
      u"{",
      u"\tcolor: rgb(6,6,6);",
      u"}",
  });
  section.LoadCss(kKey, u"", text, 0);
  section.UseThemeSettings(kKey, true);
  auto color = [&](const WString& style) { return section.Item(kKey, style)->Color(); };
  EXPECT_EQ(color(u"link"), u"");
  EXPECT_EQ(color(u"visited"), u"");
  EXPECT_EQ(color(u"h2"), u"");
  EXPECT_EQ(color(u"h3"), u"");
  EXPECT_EQ(color(u"h4"), u"#040404");
  EXPECT_EQ(section.Item(kKey, u"h4")->BackgroundColor(), u"#040404");
  EXPECT_EQ(color(u"active"), u"#060606");
}

TEST(ColorSectionTest, LaterSheetsMergeAndOverwrite) {
  CColor section;
  WString first =
      Sheet({u"body", u"{", u"\tcolor: rgb(1,1,1);", u"\tbackground-color: rgb(2,2,2);", u"}"});
  WString second = Sheet({u"body", u"{", u"\tcolor: rgb(3,3,3);", u"}"});
  section.LoadCss(kKey, u"", first, 0);
  section.LoadCss(kKey, u"", second, 0);
  auto body = section.Item(kKey, u"body");
  body->UseThemeSettings(true);
  EXPECT_EQ(body->Color(), u"#030303");
  EXPECT_EQ(body->BackgroundColor(), u"#020202");
}

TEST(ColorSectionTest, BadVariantFailsAtFirstSlotDeclarationOnly) {
  CColor section;
  WString empty;
  section.LoadCss(kKey, u"", empty, 5);
  EXPECT_EQ(section.Item(kKey, u"h5")->Index(kObjectKey), 5) << "empty text still moves objects";
  EXPECT_EQ(section.Index(kKey), 0);

  WString text = Sheet({u"p", u"{", u"\tcolor: rgb(1,1,1);", u"}", u"body", u"{",
                        u"\tcolor: rgb(2,2,2);", u"}", u"h1"});
  try {
    section.LoadCss(kKey, u"", text, 2);
    ADD_FAILURE() << "expected error 9";
  } catch (const AutomationError& error) {
    EXPECT_EQ(error.Number(), 9);
  }
  EXPECT_EQ(section.Index(kKey), 2) << "Index is not restored after a failure";
  EXPECT_EQ(text, u"}\r\nh1\r\n") << "parsing stopped at the failing line";
}

TEST(ColorSectionTest, SaveAndRestore) {
  auto section = std::make_shared<CColor>();
  PropertyBagX bag;
  section->WriteProperties(bag);
  ASSERT_EQ(bag.Entries().size(), 11u) << "Index 0 is left out; every slot is written";
  EXPECT_EQ(bag.Entries()[0].Name, u"Link");
  EXPECT_EQ(bag.Entries()[10].Name, u"H6");
  EXPECT_EQ(bag.Entries()[3].ObjectType, u"rxTheme.CColorObject");

  section->Index(kKey, 1);
  section->Item(kKey, u"h2")->ThemeColor(kObjectKey, u"#222222");
  section->Item(kKey, u"table")->TableBorderColorDark(u"#333333");
  section->UseCustomSettings(kKey, true);
  section->Index(kKey, 0);
  section->Item(kKey, u"visited")->Index(kObjectKey, 1);
  const auto restored = testing::RoundTrip(section);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), testing::SavedState(*section));
  EXPECT_EQ(restored->Item(kKey, u"table")->TableBorderColorDark(), u"#333333");
  EXPECT_EQ(ThemeColorOf(*restored, u"h2", 1), u"#222222");
  EXPECT_EQ(restored->Item(kKey, u"visited")->Index(kObjectKey), 1);
}

TEST(ColorSectionTest, RestoreFillsMissingSlotsAndRefusesWrongKinds) {
  PropertyBagX bag;
  bag.WriteProperty(u"Index", Variant::I2(1));
  bag.WriteProperty(u"H1", Variant::Obj(nullptr));
  CColor section;
  auto old_link = section.Item(kKey, u"link");
  section.ReadProperties(bag);
  EXPECT_EQ(section.Index(kKey), 1);
  for (const WString& style : CColor::StyleNames()) {
    auto object = section.Item(kKey, style);
    ASSERT_NE(object, nullptr) << ToUtf8(style);
    EXPECT_EQ(object->Index(kObjectKey), 0) << "a fresh object";
  }
  EXPECT_NE(section.Item(kKey, u"link"), old_link) << "restoring replaces every slot";

  for (const Variant& wrong :
       {Variant(u"not an object"), Variant::Obj(std::make_shared<CColor>())}) {
    PropertyBagX bad;
    bad.WriteProperty(u"Body", wrong);
    EXPECT_EQ(ErrorNumberOf([&] { section.ReadProperties(bad); }), kTypeMismatch);
  }
}

TEST(FactoryTest, CreatesEverySectionAndSettingsClass) {
  for (const WString name : {u"CColor", u"CGraph", u"CThemeBase", u"CColorObject", u"CGraphObject",
                             u"CThemeBaseObject"}) {
    WString qualified = u"rxTheme." + name;
    const auto object = CreateClassInstance(qualified);
    ASSERT_NE(object, nullptr) << ToUtf8(name);
    EXPECT_EQ(qualified, name);
    EXPECT_EQ(object->ClassName(), u"rxTheme." + name);
    EXPECT_EQ(object->TypeName(), name);
  }
}

}  // namespace
}  // namespace rxTheme
