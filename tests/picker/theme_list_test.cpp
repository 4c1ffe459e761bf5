#include <rxtheme/picker/theme_list.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rxTheme {
namespace {

// Entries sort by text whatever the letter case; level ones keep the order
// in which they came, across additions too, so the first exact match found
// is the earliest added.
TEST(ThemeList, SortsOnceKeepingLevelEntriesInTheirOrder) {
  ThemeList list;
  list.Add({{u"beta", u"1"}, {u"Alpha", u"2"}, {u"ALPHA", u"3"}});
  list.Add({{u"alpha", u"4"}, {u"Alpha", u"5"}, {u"", u"6"}});
  std::vector<std::u16string> tags;
  for (const ThemeEntry& entry : list.Entries()) tags.push_back(entry.tag);
  EXPECT_EQ(tags, (std::vector<std::u16string>{u"6", u"2", u"3", u"4", u"5", u"1"}));
  EXPECT_EQ(list[list.FindFirstAdded(u"Alpha")].tag, u"2");
  EXPECT_EQ(list[list.FindFirstAdded(u"alpha")].tag, u"4");
  EXPECT_EQ(list.FindFirstAdded(u"ALPHA "), ThemeList::kNone);
}

}  // namespace
}  // namespace rxTheme
