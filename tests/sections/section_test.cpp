// The three sections: slot lookup, fan-outs, Index handling and persistence in
// typed suites; each section's style-sheet parser with worked sheets and quirks;
// the readers that the parsers share.
#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include <rxtheme/persist/property_bag.h>
#include "platform/env.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"
#include "sections/theme_support.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"
#include "support/test_keys.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::Sheet;

const SectionKey kKey = SectionTestPeer::Key();
const SettingsKey kObjectKey = SettingsTestPeer::Key();

// Turns on every fan-out that a section has beyond the two switches (Index 1,
// IncludePath), and tells whether an object received them.
void FanOut(CColor& section) { section.Index(kKey, 1); }
void FanOut(CGraph& section) { section.Index(kKey, 1), section.IncludePath(kKey, true); }
void FanOut(CThemeBase& section) { section.IncludePath(kKey, true); }
bool Reached(const ColorObjectImpl& object) { return object.Index(kObjectKey) == 1; }
bool Reached(const GraphObjectImpl& o) {
  return o.Index(kObjectKey) == 1 && o.IncludePath(kObjectKey);
}
bool Reached(const BaseObjectImpl& object) { return object.IncludePath(kObjectKey); }

// The style names in slot order, and rows "name=style": the name finds the
// object of that style, or (with nothing after "=") none.
struct Names {
  const char16_t* styles;
  const char16_t* cases;
};
Names Of(const CColor&) {
  return {u"link|visited|active|body|table|h1|h2|h3|h4|h5|h6",
          u"BODY=body|Body=body| body=|a:link=|h7=|=|base="};
}
Names Of(const CGraph&) {
  return {u"base|bannertxt|horiznavtxt|vertnavtxt|navtxthome|navtxtnext|navtxtprev|navtxtup",
          u"NAVTXTHOME=navtxthome|horiz-navtxt=horiznavtxt|vert-navtxt=vertnavtxt|navtxt=| base="};
}
Names Of(const CThemeBase&) {
  return {u"base|topbarfont|body|h1|h2|h3|h4|h5|h6",
          u"topbar-font=topbarfont|TopBarFont=topbarfont|h7=| body="};
}

// The working folder, written with "/" as the separator.
WString Folder(const ColorObjectImpl&) { return u"(no folder)"; }
WString Folder(const auto& object) {
  WString folder = object.WorkingFolder(kObjectKey);
  std::replace(folder.begin(), folder.end(), kPathSeparator, u'/');
  return folder;
}

// The '|'-separated items of a list.
std::vector<WString> Split(std::u16string_view items) {
  std::vector<WString> out;
  for (WString rest = Sheet(items); !rest.empty();) out.push_back(NextLine(rest));
  return out;
}

// Checks rows "input=expected", separated by '|', against read(input).
void ExpectRows(const std::function<WString(const WString&)>& read, const WString& rows) {
  for (WString rest = Sheet(rows); !rest.empty();) {
    const WString row = NextLine(rest);
    const size_t equals = row.rfind(u'=');
    EXPECT_EQ(read(row.substr(0, equals)), row.substr(equals + 1)) << ToUtf8(row);
  }
}

// Checks rows "style.Property=value": the property read with theme settings on,
// or the object's WorkingFolder.
template <class S>
void Check(S& section, const WString& rows) {
  ExpectRows(
      [&](const WString& probe) {
        const size_t dot = probe.find(u'.');
        const auto object = section.Item(kKey, probe.substr(0, dot));
        if (!object) return WString(u"(no object)");
        const auto& names = object->StringPropertyNames();
        const auto at = std::find(names.begin(), names.end(), probe.substr(dot + 1));
        object->UseThemeSettings(true);
        return at == names.end() ? Folder(*object) : object->GetStringProperty(at - names.begin());
      },
      rows);
}

template <class S>
class SectionTest : public ::testing::Test {};
using AllSections = ::testing::Types<CColor, CGraph, CThemeBase>;
TYPED_TEST_SUITE(SectionTest, AllSections);

// One object per slot, found by its lower-cased, untrimmed name and reached by
// every fan-out.
TYPED_TEST(SectionTest, ItemsAndFanOuts) {
  TypeParam section;
  const std::vector<WString> styles = Split(Of(section).styles);
  EXPECT_EQ(TypeParam::StyleNames(), styles);
  section.UseCustomSettings(kKey, true);
  FanOut(section);
  // The style whose object a name finds, or "".
  const auto style_of = [&](const WString& name) {
    const auto object = section.Item(kKey, name);
    for (const WString& style : styles) {
      if (object && section.Item(kKey, style) == object) return style;
    }
    return WString();
  };
  for (const WString& style : styles) {
    EXPECT_EQ(style_of(style), style);
    const auto object = section.Item(kKey, style);
    EXPECT_TRUE(object->UseCustomSettings() && !object->UseThemeSettings() && Reached(*object));
  }
  ExpectRows(style_of, Of(section).cases);
}

TYPED_TEST(SectionTest, SaveAndRestore) {
  auto section = std::make_shared<TypeParam>();
  PropertyBagX defaults;
  section->WriteProperties(defaults);
  EXPECT_EQ(defaults.Entries().size(), TypeParam::kSlotCount) << "every slot; Index 0 left out";
  // A whole round trip, every value and switch, is pinned by ThemePersistence.
  section->UseCustomSettings(kKey, true);
  FanOut(*section);

  // Missing or null slots restore as fresh objects; anything but an object of the
  // slot's class is refused.
  PropertyBagX bag;
  bag.WriteProperty(TypeParam::Slots()[0].key, Variant::Obj(nullptr));
  section->ReadProperties(bag);
  TypeParam fresh;
  EXPECT_EQ(testing::SavedState(*section), testing::SavedState(fresh));
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
  const std::vector<WString> styles = Split(Of(section).styles);
  for (const WString& style : styles) {
    EXPECT_EQ(section.Item(kKey, style)->Index(kObjectKey), 5) << ToUtf8(style);
  }

  text = Sheet(u"p|{|\tcolor: rgb(1,1,1);|}|" + styles.front() + u"|{|\tcolor: rgb(2,2,2);|}|h1");
  EXPECT_EQ(ErrorNumberOf([&] { section.LoadCss(kKey, u"", text, 2); }), 9);
  EXPECT_EQ(section.Index(kKey), 2) << "Index is not restored after a failure";
  EXPECT_EQ(text, u"}\r\nh1\r\n") << "parsing stopped at the failing line";
}

// Only a slot's block stores its declarations, into the variant given (a
// #-color as ""); a later sheet merges.
TEST(ColorSectionTest, DeclarationsSelectorsAndQuirks) {
  CColor section;
  section.Item(kKey, u"link")->Index(kObjectKey, 1);
  section.Item(kKey, u"link")->ThemeColor(kObjectKey, u"#111111");
  WString text = Sheet(
      u"<style>|body|{|\tcolor: rgb(0, 0, 128);|}|a:link|{|\tcolor: #0000FF;|}|"
      u"h1|{|  color: rgb(1,1,1);|"  // space-indented: no declaration
      u"\tBACKGROUND-COLOR: rgb(0,0)|\ttable-border-color-light: rgb(1,2,3)|"
      u"\tx-color: rgb(9,9,9)|}|"                 // a prefix must start the line
      u"a:hover|{|\tcolor: rgb(7,7,7);|}|"        // no slot: dropped
      u"h2||{|\tcolor: rgb(2,2,2);|}|"            // a blank line names ""
      u"h3 {|\tcolor: rgb(3,3,3);|}|"             // "{" not alone
      u"h4|{|\tcolor: rgb(4,4,4);|}|"             //
      u"{|\tbackground-color: rgb(4,4,4);|}|"     // reopens h4
      u"  A:VISITED  |{|\tcolor: rgb(5,5,5);|}|"  // "a:" in lower case only
      u"  a:active  |{|\tcolor: rgb(6,6,6);|}|</style>");
  section.LoadCss(kKey, u"ignored", text, 1);
  EXPECT_TRUE(text.empty());
  text = Sheet(u"h4|{|\tcolor: rgb(8,8,8);|}");
  section.LoadCss(kKey, u"", text, 1);
  Check(section,
        u"body.Color=#000080|link.Color=|h1.Color=|h1.BackgroundColor=#000000|"
        u"h1.TableBorderColorLight=#010203|h2.Color=|h3.Color=|h4.Color=#080808|"
        u"h4.BackgroundColor=#040404|visited.Color=|active.Color=#060606");
  section.Index(kKey, 0);
  Check(section, u"body.Color=");
}

TEST(GraphSectionTest, SelectorsRulesAndFailures) {
  CGraph section;
  WString text = Sheet(
      u"<style>|.mstheme-navtxthome|{|navbutton-home-normal: url(home.gif);|}|"
      u".mstheme|{|NAV-BANNER-IMAGE: url(x.gif)|}|"   // Base
      u".MSTHEME-bannertxt|{|\tcolor: rgb(1,1,1)|}|"  // the prefix's case matters
      u"a:.mstheme-navtxtup|{|  color: rgb(2,2,2)|"   // space-indented
      u"\tcolor: rgb(3,3,3)|}|"                       //
      u"navtxtnext||{|\tfont-family: Arial ;|}|"      // a blank line names Base
      u"vert-navtxt {|\tfont-family: Lost;|}|"        // "{" not alone
      u"navtxtprev|{|font-family: A;|font-weight: bold;|}|</style>");
  section.LoadCss(kKey, u"w", text, 0);
  EXPECT_TRUE(text.empty());
  text = Sheet(u"navtxtprev|{|font-family: B;|}");  // overwrites only what it names
  section.LoadCss(kKey, u"", text, 0);
  // A space before the semicolon stays; an empty folder becomes the separator;
  // only an object that closed a rule gets the folder.
  Check(section,
        u"navtxthome.NavButtonHomeNormal=home.gif|navtxthome.WorkingFolder=w/|"
        u"base.NavBannerImage=x.gif|base.FontFamily=Arial |base.Color=|"
        u"bannertxt.Color=|bannertxt.WorkingFolder=|navtxtup.Color=#030303|"
        u"navtxtnext.FontFamily=|vertnavtxt.FontFamily=|navtxtprev.FontFamily=B|"
        u"navtxtprev.FontWeight=bold|navtxtprev.WorkingFolder=/|base.WorkingFolder=w/");

  text = Sheet(
      u"base|{|list-image-1: url(a.gif);|list-image-2: url(b.gif|list-image-3: url(c.gif);|}");
  EXPECT_EQ(ErrorNumberOf([&] { section.LoadCss(kKey, u"", text, 1); }), 5);
  Check(section, u"base.ListImage1=a.gif|base.ListImage3=");
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
  Check(section,
        u"body.BackgroundImage=b g.gif|h1.Color=|h2.BackgroundImage=h2.gif|"
        u"h3.WorkingFolder=|topbarfont.BackgroundImage=|h6.WorkingFolder=|h5.WorkingFolder=|"
        u"h5.Color=|h1.FontFamily=kept|h1.FontWeight=|body.WorkingFolder=w/|"
        u"h1.WorkingFolder=w/|topbarfont.WorkingFolder=w/");
}

// The readers that the parsers share.
TEST(NextLineTest, SplitsAtCrLfAndDropsLeadingTabsOnly) {
  // The line, "|", the rest: spaces stay; LF or CR alone ends nothing; only the leading
  // run of tabs goes.
  const std::pair<WString, WString> cases[] = {
      // clang-format off
      {u"a\r\n\t\tb\r\n", u"a|\t\tb\r\n"}, {u"\t\tb\r\n", u"b|"}, {u"  x", u"  x|"},
      {u"a\nb\rc", u"a\nb\rc|"}, {u"\t\t\t", u"|"}, {u"\t \tx\t\r\n", u" \tx\t|"},
      {u"\r\n\r\n", u"|\r\n"}, {u"\r\r\n", u"\r|"}, {u"", u"|"},
      // clang-format on
  };
  for (const auto& [in, out] : cases) {
    WString text = in;
    const WString line = NextLine(text);
    EXPECT_EQ(line + u"|" + text, out) << ToUtf8(in);
  }
}

TEST(CssColorTest, ConvertsRgbAndAnswersBlackOnFailure) {
  // No "rgb" gives "", a missing comma or ")" black. Components are read up to a
  // non-digit (exponents included, nothing as 0), round half to even and keep the low
  // byte of their 32-bit two's complement; beyond 32 bits gives black. Red starts
  // after the first "(" anywhere (or at the start); blue runs up to ")".
  ExpectRows(CssColor,
             u"color: rgb(255, 128, 0);=#FF8000|color: RGB( 0, 0, 255 )=#0000FF|"
             u"color: rgb(5,0,0)=#050000|color: #FF8000;=|color: rgb(1,2);=#000000|"
             u"color: rgb(1 2 3);=#000000|color: rgb(1,2,3=#000000|rgb(256,0,0)=#000000|"
             u"rgb(300,0,0)=#2C0000|rgb(-5,0,0)=#FB0000|rgb(,,)=#000000|"
             u"rgb(0.5,1.5,2.5)=#000202|rgb(12abc,  7px,+9)=#0C0709|"
             u"rgb(1e1,1E+1,2e-1)=#0A0A00|rgb(1,2,3,4)=#010203|rgb 10,20,30)=#00141E|"
             u"x(1,2,3) rgb=#010203|rgb(3000000001,0,0)=#000000|rgb(2147483647,0,0)=#FF0000|"
             u"rgb(1e999,0,0)=#000000");
  // The second comma lands on position 32767, the last 16-bit one, then on 32768.
  EXPECT_EQ(CssColor(u"rgb(" + WString(32764, u' ') + u"1,,3)"), u"#010003");
  EXPECT_EQ(CssColor(u"rgb(" + WString(32765, u' ') + u"1,,3)"), u"#000000");
}

TEST(CssUrlAndValueTest, ReadTheValueOfADeclaration) {
  // Quotes and spaces kept, "url" in any case; no "url" gives ""; the first "(" counts,
  // without one the text starts at the line's start; no ")" after it raises 5.
  ExpectRows(
      [](const WString& line) {
        WString url;
        const int error = ErrorNumberOf([&] { url = CssUrl(line); });
        return error ? u"error " + Widen(std::to_string(error)) : url;
      },
      u"background-image: url(images/bg.gif);=images/bg.gif|x: URL('a.gif')='a.gif'|"
      u"x: url( a b )= a b |x: (a.gif)=|x: url()=|x: curl) y=x: curl|x(1) url(2)=1|"
      u"x: url(a.gif=error 5|url=error 5|x) url(a=error 5");
  // Spaces trimmed (tabs kept), then one semicolon dropped.
  ExpectRows(
      [](const WString& line) {
        const Variant value = CssValue(line);
        return value.IsString() ? value.StringValue() : u"(not a string)";
      },
      u"font-weight: bold;=bold|text-align:center=center|  no colon  =no colon|"
      u"font-family: Arial;;=Arial;|font-weight: bold ;=bold |font-family: a:b;=a:b|"
      u"x:\tv; =\tv|x: ;=|=");
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  const auto read = [](const WString& text) {
    std::ostringstream out;
    out << LeadingNumber(text);
    return Widen(out.str());
  };
  ExpectRows(read,
             u"128, 0=128|   42px=42|-7=-7|+3.25x=3.25|.5=0.5|5.=5|1e3=1000|1E-2=0.01|2e=2|"
             u"2e+=2|3ex=3|=0|abc=0|-=0|.=0|1 2=1|- 1=0|0x10=0|007=7|1e-999=0|1e999=inf");
  EXPECT_EQ(read(u"\t5"), u"0") << "tabs are not skipped";
  EXPECT_EQ(read(u"-1" + WString(400, u'0')), u"-inf");
}

}  // namespace
}  // namespace rxTheme
