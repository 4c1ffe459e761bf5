#include <rxtheme/picker/theme_list.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <rxtheme/picker/title_order.h>

namespace rxTheme {
namespace {

std::vector<std::u16string> Tags(const ThemeList& list) {
  std::vector<std::u16string> tags;
  for (const ThemeEntry& entry : list.Entries()) tags.push_back(entry.tag);
  return tags;
}

// Entries sort by text whatever the letter case; level ones keep the order
// in which they came, across additions too, so the first exact match found
// is the earliest added.
TEST(ThemeList, SortsOnceKeepingLevelEntriesInTheirOrder) {
  ThemeList list;
  list.Add({{u"beta", u"1"}, {u"Alpha", u"2"}, {u"alpha", u"3"}});
  list.Add({{u"alpha", u"4"}, {u"Alpha", u"5"}, {u"", u"6"}});
  EXPECT_EQ(Tags(list), (std::vector<std::u16string>{u"6", u"3", u"4", u"2", u"5", u"1"}));
  EXPECT_EQ(list[list.FindFirstAdded(u"Alpha")].tag, u"2");
  EXPECT_EQ(list[list.FindFirstAdded(u"alpha")].tag, u"3");
  EXPECT_EQ(list.FindFirstAdded(u"ALPHA "), ThemeList::kNone);

  // A given order replaces the reading order: here by length only.
  ThemeList by_length;
  by_length.Add({{u"ccc", u"1"}, {u"a", u"2"}, {u"bb", u"3"}, {u"d", u"4"}},
                [](std::u16string_view a, std::u16string_view b) {
                  return static_cast<int>(a.size()) - static_cast<int>(b.size());
                });
  EXPECT_EQ(Tags(by_length), (std::vector<std::u16string>{u"2", u"4", u"3", u"1"}));
}

// The titles the Windows picker test installs too, in the order in which
// both lists show them: accents and case decide only between titles whose
// letters are the same, quotation marks in front decide nothing.
TEST(TitleOrder, ReadingOrder) {
  ThemeList list;
  list.Add({{u"Zeta", u"zeta"},
            {u"\u201cDawn\u201d", u"quoted"},
            {u"\u00c9meraude", u"emeraude"},
            {u"Dawn", u"dawn"},
            {u"ember", u"ember"},
            {u"Emeraude", u"plain"},
            {u"\u00e9meraude", u"lower"},
            {u"2 Rivers", u"digit"}});
  EXPECT_EQ(Tags(list), (std::vector<std::u16string>{u"digit", u"quoted", u"dawn", u"ember",
                                                     u"plain", u"lower", u"emeraude", u"zeta"}));

  struct Case {
    const char16_t* a;
    const char16_t* b;
    int order;
  } cases[] = {
      {u"Stra\u00dfe", u"Strasse", 1},      // ß is "ss", then its accent
      {u"Strasse", u"Strassf", -1},         // the letters first
      {u"\u00c6ther", u"Aether", 1},        // Æ is "AE"
      {u"\u0152uvre", u"oeuvre", 1},        // Œ is "OE"
      {u"r\u00e9sum\u00e9", u"Resume", 1},  // accents before case
      {u"resume", u"Resume", -1},           // lower case first
      {u"a-b c", u"abc", 0},                // punctuation and spaces passed over
      {u"\u0160koda", u"Skoda", 1},         // Latin Extended-A folds too
      {u"\u0141\u00f3d\u017a", u"Lodz", 1},
      {u"Zulu", u"\u00de\u00f3rr", -1},  // thorn after z
      {u"9", u"a", -1},                  // digits before letters
      {u"", u"\u201c\u201d", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CollateTitles(c.a, c.b), c.order) << ToUtf8(c.a) << " " << ToUtf8(c.b);
    EXPECT_EQ(CollateTitles(c.b, c.a), -c.order) << ToUtf8(c.a) << " " << ToUtf8(c.b);
  }
}

}  // namespace
}  // namespace rxTheme
