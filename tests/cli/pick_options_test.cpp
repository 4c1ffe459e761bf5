// The title that a --theme which names no theme most likely meant.
#include "commands/pick_options.h"

#include <gtest/gtest.h>

namespace rxTheme::cli {
namespace {

TEST(NearestTitle, ALetterCaseDifferenceOrASlipOfTheKeyboard) {
  const std::vector<WString> titles = {u"Ember", u"Harbor", u"Newsprint", u"NEWSPRINT"};
  EXPECT_EQ(NearestTitle(u"newsprint", titles), u"Newsprint");  // the first that matches
  EXPECT_EQ(NearestTitle(u"Newsprnt", titles), u"Newsprint");
  EXPECT_EQ(NearestTitle(u"harbour", titles), u"Harbor");
  EXPECT_EQ(NearestTitle(u"Meadow", titles), u"");
  EXPECT_EQ(NearestTitle(u"Ember", {}), u"");
}

TEST(UnknownTitleText, NamesTheTitlesThereAreOnceEach) {
  ThemeList list;
  std::vector<ThemeEntry> entries;
  for (int i = 0; i < 14; ++i) {
    entries.push_back({u"Theme " + Widen(std::string(1, static_cast<char>('A' + i))), u"t"});
  }
  entries.push_back({u"Theme A", u"again"});
  list.Add(entries);
  EXPECT_EQ(UnknownTitleText("Theme", list, u"/t"),
            "--theme \"Theme\" names no theme in themes folder /t; did you mean Theme A? (the "
            "titles there are: Theme A, Theme B, Theme C, Theme D, Theme E, Theme F, Theme G, "
            "Theme H, Theme I, Theme J, Theme K, Theme L and 2 more)");
}

}  // namespace
}  // namespace rxTheme::cli
