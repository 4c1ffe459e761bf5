// The three sections: slot lookup, fan-outs, Index handling and persistence in
// typed suites; each section's style-sheet parser with worked sheets and quirks.
#include <algorithm>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "persist/property_bag.h"
#include "platform/env.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::Sheet;

const SectionKey kKey = SectionTestPeer::Key();
const SettingsKey kObjectKey = SettingsTestPeer::Key();
const WString kSep(1, kPathSeparator);

template <class S>
constexpr bool kHasIndex = !std::is_same_v<S, CThemeBase>;
template <class S>
constexpr bool kHasFolder = !std::is_same_v<S, CColor>;

// Names that find the same object as another name, or (nullptr) no object.
using Lookups = std::vector<std::pair<const char16_t*, const char16_t*>>;
Lookups NameCases(const CColor&) {
  return {{u"BODY", u"body"}, {u"Body", u"body"}, {u" body", nullptr}, {u"a:link", nullptr},
          {u"h7", nullptr},   {u"", nullptr},     {u"base", nullptr}};
}
Lookups NameCases(const CGraph&) {
  return {{u"NAVTXTHOME", u"navtxthome"},
          {u"horiz-navtxt", u"HorizNavTxt"},
          {u"vert-navtxt", u"vertnavtxt"},
          {u"navtxt", nullptr},
          {u"body", nullptr},
          {u" base", nullptr}};
}
Lookups NameCases(const CThemeBase&) {
  return {{u"topbar-font", u"topbarfont"},
          {u"TopBarFont", u"topbarfont"},
          {u"h7", nullptr},
          {u" body", nullptr}};
}

WString Folder(const CColorObject&) { return u"(no folder)"; }
WString Folder(const auto& object) { return object.WorkingFolder(kObjectKey); }

// Checks probes "style.Property=value", separated by '|': the property read
// with theme settings on, or the object's WorkingFolder.
template <class S>
void Check(S& section, const WString& probes) {
  for (size_t start = 0, end = 0; start <= probes.size(); start = end + 1) {
    end = std::min(probes.find(u'|', start), probes.size());
    const WString probe = probes.substr(start, end - start);
    const size_t dot = probe.find(u'.'), equals = probe.find(u'=');
    const auto object = section.Item(kKey, probe.substr(0, dot));
    ASSERT_NE(object, nullptr) << ToUtf8(probe);
    const auto& names = object->StringPropertyNames();
    const auto at = std::find(names.begin(), names.end(), probe.substr(dot + 1, equals - dot - 1));
    object->UseThemeSettings(true);
    const WString value =
        at == names.end() ? Folder(*object) : object->GetStringProperty(at - names.begin());
    EXPECT_EQ(value, probe.substr(equals + 1)) << ToUtf8(probe);
  }
}

template <class S>
class SectionTest : public ::testing::Test {};
using AllSections = ::testing::Types<CColor, CGraph, CThemeBase>;
TYPED_TEST_SUITE(SectionTest, AllSections);

TYPED_TEST(SectionTest, ItemFindsOneObjectPerSlotByLowerCasedUntrimmedName) {
  TypeParam section;
  std::set<const void*> objects;
  for (const WString& style : TypeParam::StyleNames()) {
    const auto object = section.Item(kKey, style);
    EXPECT_EQ(section.Item(kKey, style), object) << ToUtf8(style);
    objects.insert(object.get());
  }
  EXPECT_EQ(objects.size(), TypeParam::kSlotCount);
  EXPECT_FALSE(objects.contains(nullptr));
  for (const auto& [name, same_as] : NameCases(section)) {
    EXPECT_EQ(section.Item(kKey, name), same_as ? section.Item(kKey, same_as) : nullptr)
        << ToUtf8(name);
  }
}

TYPED_TEST(SectionTest, FanOutsReachEveryObject) {
  TypeParam section;
  section.UseCustomSettings(kKey, true);
  if constexpr (kHasIndex<TypeParam>) section.Index(kKey, 1);
  if constexpr (kHasFolder<TypeParam>) section.IncludePath(kKey, true);
  for (const WString& style : TypeParam::StyleNames()) {
    const auto object = section.Item(kKey, style);
    EXPECT_TRUE(object->UseCustomSettings());
    EXPECT_FALSE(object->UseThemeSettings());
    if constexpr (kHasIndex<TypeParam>) {
      EXPECT_EQ(object->Index(kObjectKey), 1);
    }
    if constexpr (kHasFolder<TypeParam>) {
      EXPECT_TRUE(object->IncludePath(kObjectKey));
    }
  }
  if constexpr (kHasIndex<TypeParam>) {
    EXPECT_EQ(section.Index(kKey), 1);
  }
  section.UseThemeSettings(kKey, true);
  EXPECT_TRUE(section.Item(kKey, TypeParam::StyleNames().back())->UseThemeSettings());
}

TYPED_TEST(SectionTest, SaveAndRestore) {
  auto section = std::make_shared<TypeParam>();
  PropertyBagX defaults;
  section->WriteProperties(defaults);
  EXPECT_EQ(defaults.Entries().size(), TypeParam::kSlotCount) << "every slot; Index 0 left out";

  const WString last = TypeParam::StyleNames().back();
  section->UseCustomSettings(kKey, true);
  section->Item(kKey, last)->SetStringProperty(0, u"c");
  if constexpr (kHasIndex<TypeParam>) {
    section->Index(kKey, 1);
    section->Item(kKey, last)->Index(kObjectKey, 0);
  }
  const auto restored = testing::RoundTrip(section);
  ASSERT_NE(restored, nullptr);
  EXPECT_EQ(testing::SavedState(*restored), testing::SavedState(*section));

  // Missing or null slots restore as fresh objects; anything but an object of the
  // slot's class is refused.
  PropertyBagX bag;
  bag.WriteProperty(TypeParam::Slots()[0].key, Variant::Obj(nullptr));
  const auto old = section->Item(kKey, last);
  section->ReadProperties(bag);
  TypeParam fresh;
  EXPECT_EQ(testing::SavedState(*section), testing::SavedState(fresh));
  EXPECT_NE(section->Item(kKey, last), old);
  for (const Variant& wrong : {Variant(u"text"), Variant::Obj(std::make_shared<TypeParam>())}) {
    PropertyBagX bad;
    bad.WriteProperty(TypeParam::Slots()[0].key, wrong);
    EXPECT_EQ(ErrorNumberOf([&] { section->ReadProperties(bad); }), kTypeMismatch);
  }
}

template <class S>
class VariantSectionTest : public ::testing::Test {};
using VariantSections = ::testing::Types<CColor, CGraph>;
TYPED_TEST_SUITE(VariantSectionTest, VariantSections);

// A sheet is read into its variant, which every object then serves while the
// section keeps its Index; a bad variant fails at the first slot declaration.
TYPED_TEST(VariantSectionTest, LoadVariant) {
  TypeParam section;
  WString text;
  section.LoadCss(kKey, u"", text, 5);
  EXPECT_EQ(section.Index(kKey), 0);
  for (const WString& style : TypeParam::StyleNames()) {
    EXPECT_EQ(section.Item(kKey, style)->Index(kObjectKey), 5) << ToUtf8(style);
  }

  text = Sheet(u"p|{|\tcolor: rgb(1,1,1);|}|" + TypeParam::StyleNames().front() +
               u"|{|\tcolor: rgb(2,2,2);|}|h1");
  EXPECT_EQ(ErrorNumberOf([&] { section.LoadCss(kKey, u"", text, 2); }), 9);
  EXPECT_EQ(section.Index(kKey), 2) << "Index is not restored after a failure";
  EXPECT_EQ(text, u"}\r\nh1\r\n") << "parsing stopped at the failing line";
}

TEST(ColorSectionTest, WorkedExampleIntoVariantOne) {
  CColor section;
  WString text = Sheet(
      u"<style>|body|{|\tcolor: rgb(0, 0, 128);|\tbackground-color: rgb(255, 255, 255);|}|"
      u"a:link|{|\tcolor: #0000FF;|}|</style>");
  section.Item(kKey, u"link")->Index(kObjectKey, 1);
  section.Item(kKey, u"link")->ThemeColor(kObjectKey, u"#111111");
  section.LoadCss(kKey, u"ignored", text, 1);
  EXPECT_TRUE(text.empty());
  // A #-color is stored as empty.
  Check(section, u"body.Color=#000080|body.BackgroundColor=#FFFFFF|link.Color=");
  section.Index(kKey, 0);
  Check(section, u"body.Color=");
}

TEST(ColorSectionTest, DeclarationAndSelectorQuirks) {
  CColor section;
  WString text = Sheet(
      u"h1|{|  color: rgb(1,1,1);|"  // space-indented: no declaration
      u"\tBACKGROUND-COLOR: rgb(0,0)|\ttable-border-color-light: rgb(1,2,3)|"
      u"\tx-color: rgb(9,9,9)|}|"                 // a prefix must start the line
      u"a:hover|{|\tcolor: rgb(7,7,7);|}|"        // no slot: dropped
      u"h2||{|\tcolor: rgb(2,2,2);|}|"            // a blank line names ""
      u"h3 {|\tcolor: rgb(3,3,3);|}|"             // "{" not alone
      u"h4|{|\tcolor: rgb(4,4,4);|}|"             //
      u"{|\tbackground-color: rgb(4,4,4);|}|"     // reopens h4
      u"  A:VISITED  |{|\tcolor: rgb(5,5,5);|}|"  // "a:" in lower case only
      u"  a:active  |{|\tcolor: rgb(6,6,6);|}");  //
  section.LoadCss(kKey, u"", text, 0);
  text = Sheet(u"h4|{|\tcolor: rgb(8,8,8);|}");  // a later sheet merges
  section.LoadCss(kKey, u"", text, 0);
  Check(section,
        u"h1.Color=|h1.BackgroundColor=#000000|h1.TableBorderColorLight=#010203|link.Color=|"
        u"h2.Color=|h3.Color=|h4.Color=#080808|h4.BackgroundColor=#040404|visited.Color=|"
        u"active.Color=#060606");
}

TEST(GraphSectionTest, WorkedExample) {
  CGraph section;
  WString text = Sheet(
      u"<style>|.mstheme-navtxthome|{|navbutton-home-normal: url(home.gif);|font-weight: bold;|}|"
      u"</style>");
  section.LoadCss(kKey, u"w", text, 1);
  EXPECT_TRUE(text.empty());
  // The base object closed no rule of its own: no folder.
  Check(section,
        u"navtxthome.NavButtonHomeNormal=home.gif|navtxthome.FontWeight=bold|"
        u"base.WorkingFolder=|navtxthome.WorkingFolder=w" +
            kSep);
  section.Index(kKey, 0);
  Check(section, u"navtxthome.NavButtonHomeNormal=");
}

TEST(GraphSectionTest, SelectorsRulesAndFailures) {
  CGraph section;
  WString text = Sheet(
      u".mstheme|{|NAV-BANNER-IMAGE: url(x.gif)|}|"   // Base
      u".MSTHEME-bannertxt|{|\tcolor: rgb(1,1,1)|}|"  // the prefix's case matters
      u"a:.mstheme-navtxtup|{|  color: rgb(2,2,2)|"   // space-indented
      u"\tcolor: rgb(3,3,3)|}|"                       //
      u"navtxtnext||{|\tfont-family: Arial ;|}|"      // a blank line names Base
      u"vert-navtxt {|\tfont-family: Lost;|}|"        // "{" not alone
      u"navtxtprev|{|font-family: A;|font-weight: bold;|}");
  section.LoadCss(kKey, u"w", text, 0);
  text = Sheet(u"navtxtprev|{|font-family: B;|}");  // overwrites only what it names
  section.LoadCss(kKey, u"", text, 0);
  // A space before the semicolon stays; an empty folder becomes the separator.
  Check(section,
        u"base.NavBannerImage=x.gif|base.FontFamily=Arial |base.Color=|"
        u"bannertxt.Color=|bannertxt.WorkingFolder=|navtxtup.Color=#030303|"
        u"navtxtnext.FontFamily=|vertnavtxt.FontFamily=|navtxtprev.FontFamily=B|"
        u"navtxtprev.FontWeight=bold|navtxtprev.WorkingFolder=" +
            kSep + u"|base.WorkingFolder=w" + kSep);

  text = Sheet(
      u"base|{|list-image-1: url(a.gif);|list-image-2: url(b.gif|list-image-3: url(c.gif);|}");
  EXPECT_EQ(ErrorNumberOf([&] { section.LoadCss(kKey, u"", text, 1); }), 5);
  Check(section, u"base.ListImage1=a.gif|base.ListImage3=");
}

TEST(BaseSectionTest, FiveLineSheet) {
  CThemeBase section;
  WString text = Sheet(u"body|{|font-family: Arial;|color: rgb(0,0,0);|}");
  section.LoadCss(kKey, u"w", text);
  EXPECT_TRUE(text.empty());
  Check(section, u"body.FontFamily=Arial|body.Color=#000000|body.WorkingFolder=");
}

TEST(BaseSectionTest, BlocksSelectorsAndDeclarations) {
  CThemeBase section;
  WString text = Sheet(
      u".mstheme|{|font-family: base;|}|.mstheme-topbar-font|{|font-family: top;|}|"
      u"  BODY  |{|font-family: body;|}|"
      u"A:h1|{|font-family: lost;|}|"         // "a:" in lower case only
      u"a:.mstheme-h3|{|font-family: h3;|}|"  //
      u"h2|{|\ttop-bar-button: url(top.gif);|\tversion: url(1.0);|"
      u"\tnavbutton-background-color: rgb(1,2,3);|"  // read as url(...)
      u"\tbackground-image: url('bg.gif');|"         // quotes kept
      u"\tcolor: #FFFFFF;|\tTEXT-ALIGN: center|\tvertical-align:top;|}|"
      u"h4|{ color: rgb(9,9,9); }|"                          // the rest of the line ignored
      u"    color: rgb(1,1,1);|"                             // space-indented: ignored
      u"\tfont-weight: 700|\tcolor: rgb(2,2,2); }|\t{|"      // not closing lines
      u"   }   |\tfont-family: outside;|"                    // closes; then a selector line
      u"p|{|\tcolor: rgb(1,1,1);|}|{|\tfont-family: x;|}");  // an unknown block: not entered
  section.LoadCss(kKey, u"w", text);
  Check(section,
        u"base.FontFamily=base|topbarfont.FontFamily=top|body.FontFamily=body|h1.FontFamily=|"
        u"h3.FontFamily=h3|h2.TopBarButton=top.gif|h2.NavButtonBackgroundColor=|"
        u"h2.BackgroundImage='bg.gif'|h2.Color=|h2.TextAlign=center|h2.VerticalAlign=top|"
        u"h4.Color=#020202|h4.FontWeight=700|h4.FontFamily=");
  PropertyBagX bag;
  section.Item(kKey, u"h2")->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty(u"Version").ToString(), u"1.0");
}

TEST(BaseSectionTest, OneLineRulesAndFailure) {
  CThemeBase section;
  WString text = Sheet(
      u"p|body { background-image: url('b g.gif'); }|"  // quotes removed on this path
      u"h1 { color: rgb(1,1,1); }|"                     // only the folder is set
      u"h2 {x: url(h2.gif)} body|"                      // "body" anywhere: a background
      u"h3{ background-image: url(none.gif) }|"         // no space after the word
      u"topbar-font { body-color: red }|"               // no url: an empty background
      u"h6|{|}|h5 { color: rgb(5,5,5); }|}|"            // opens h6 again
      u"h1|{|font-family: kept;|top-bar-button: url(x.gif|font-weight: lost;|}");
  EXPECT_EQ(ErrorNumberOf([&] { section.LoadCss(kKey, u"w", text); }), 5);
  const WString w = u"w" + kSep;
  Check(section,
        u"body.BackgroundImage=b g.gif|h1.Color=|h2.BackgroundImage=h2.gif|"
        u"h3.WorkingFolder=|topbarfont.BackgroundImage=|h6.WorkingFolder=|"
        u"h5.WorkingFolder=|h5.Color=|h1.FontFamily=kept|h1.FontWeight=|"
        u"body.WorkingFolder=" +
            w + u"|h1.WorkingFolder=" + w + u"|topbarfont.WorkingFolder=" + w);
}

}  // namespace
}  // namespace rxTheme
