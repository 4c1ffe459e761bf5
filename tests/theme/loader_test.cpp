#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/env.h"
#include "runtime/automation_error.h"
#include "settings/base_object.h"
#include "settings/color_object.h"
#include "settings/graph_object.h"
#include "theme/theme.h"
#include "theme_test_util.h"

namespace rxTheme::testing {
namespace {

const WString kPackage = u"/pkg/t.elm";
const WString kWork = u"/w/out";

class LoaderTest : public ::testing::Test {
 protected:
  LoaderTest() : scope_(env_) {
    env_.AddFolder(u"/pkg");
    env_.AddFolder(u"/w");
    theme_.WorkingFolder(kWork);
  }

  int32_t LoadBytes(const std::string& bytes) {
    env_.AddFile(kPackage, bytes);
    return theme_.Load(kPackage);
  }
  std::optional<std::string> Out(const std::string& name) {
    return env_.FileContents(kWork + u"/" + Widen(name));
  }
  int32_t ErrorOf(const std::string& bytes) {
    try {
      LoadBytes(bytes);
    } catch (const AutomationError& e) {
      return e.Number();
    }
    return 0;
  }

  CountingEnv env_;
  ScopedEnv scope_;
  CTheme theme_;
};

std::string Bytes(size_t n, char seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + i * 7);
  return s;
}

TEST_F(LoaderTest, WorkedExampleOfOneChunk) {
  std::string sheet = Sheet({{"body", {"color: rgb(0, 0, 128);"}}});
  sheet += std::string(60 - sheet.size(), ' ');  // a trailing line of spaces changes nothing
  const std::string picture = Bytes(1000, 'a');
  const std::string pkg = MakePackage("1.0", {{"color0.css", sheet}, {"Dot.GIF", picture}});
  ASSERT_EQ(pkg.size(), 1121u);

  EXPECT_EQ(LoadBytes(pkg), 0);
  EXPECT_EQ(VersionOf(theme_), u"1.0");
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#000080");
  EXPECT_EQ(Out("dot.gif"), picture);
  EXPECT_FALSE(Out("Dot.GIF").has_value());
  EXPECT_EQ(env_.reads, std::vector<size_t>{1121});
  EXPECT_EQ(env_.CurrentDirectory(), kWork);
  EXPECT_FALSE(Out("color0.css").has_value());
}

// Packages of 4096 and 4097 bytes, packages whose later markers straddle the
// first chunk boundary at every offset, and bytes after the last piece.
TEST_F(LoaderTest, PiecesAcrossChunkBoundaries) {
  for (size_t total : {4096u, 4097u, 9000u}) {
    // Every size here has four digits, so the header length is known.
    const size_t head = MakePackage("v", {{"a.bin", std::string(1000, 'x')}}).size() - 1000;
    const std::string data = Bytes(total - head, 'x');
    const std::string pkg = MakePackage("v", {{"a.bin", data}});
    ASSERT_EQ(pkg.size(), total);
    env_.reads.clear();
    LoadBytes(pkg);
    EXPECT_EQ(Out("a.bin"), data) << total;
    if (total == 4096) {
      EXPECT_EQ(env_.reads, std::vector<size_t>{4096});
    }
    if (total == 4097) {
      EXPECT_EQ(env_.reads, (std::vector<size_t>{4096, 1}));
    }
  }
  for (size_t first = 3990; first <= 4060; ++first) {
    const std::string a = Bytes(first, 'a'), b = Bytes(3, 'b'), c = Bytes(5000, 'c');
    LoadBytes(MakePackage("v", {{"a.bin", a}, {"b.bin", b}, {"c.bin", c}}));
    ASSERT_EQ(Out("a.bin"), a) << first;
    ASSERT_EQ(Out("b.bin"), b) << first;
    ASSERT_EQ(Out("c.bin"), c) << first;
  }
  // Reading stops with the chunk that completes the last piece.
  env_.reads.clear();
  LoadBytes(MakePackage("v", {{"a.bin", Bytes(5000, 'a')}}) + kMarker + Bytes(20000, 't'));
  EXPECT_EQ(Out("a.bin")->size(), 5000u);
  EXPECT_EQ(env_.reads, (std::vector<size_t>{4096, 4096}));
}

TEST_F(LoaderTest, CrLfHeaderAndRoundedNumbers) {
  const std::string pkg = "1.0\r\n  2.5\r\nA.gif, 2.5\r\nb.gif,0\r\n" + kMarker + "xy" + kMarker;
  EXPECT_EQ(LoadBytes(pkg), 0);
  EXPECT_EQ(VersionOf(theme_), u"1.0\r");
  EXPECT_EQ(Out("a.gif"), "xy");  // 2.5 rounds to the even 2
  EXPECT_EQ(Out("b.gif"), "");
}

// A count of 0 and a missing package (created empty) unpack nothing but still
// prepare the working folder; an unreachable package path fails before that.
TEST_F(LoaderTest, PackagesWithNothingToUnpack) {
  EXPECT_EQ(LoadBytes("v0\n0\n" + kMarker + "junk"), 0);
  EXPECT_EQ(VersionOf(theme_), u"v0");
  EXPECT_EQ(env_.CurrentDirectory(), kWork);
  EXPECT_FALSE(Out("junk").has_value());

  env_.SetCurrentDirectory(u"/");
  EXPECT_EQ(theme_.Load(u"/pkg/none.elm"), 0);
  EXPECT_EQ(env_.FileContents(u"/pkg/none.elm"), "");
  EXPECT_EQ(VersionOf(theme_), u"v0");
  EXPECT_EQ(env_.CurrentDirectory(), kWork);

  env_.SetCurrentDirectory(u"/");
  for (const WString& path : {WString(), WString(u"/nowhere/t.elm")}) {
    try {
      theme_.Load(path);
      ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), kPathNotFound);
    }
    EXPECT_EQ(env_.CurrentDirectory(), u"/");
  }
}

TEST_F(LoaderTest, PiecesAreRoutedByName) {
  const std::string color0 = Sheet({{"body", {"color: rgb(1, 2, 3);"}}});
  const std::string color1 = Sheet({{"body", {"color: rgb(4, 5, 6);"}}});
  const std::string mixed = Sheet({{"h1", {"color: rgb(7, 8, 9);"}}});
  const std::string graph1 =
      Sheet({{".mstheme-navtxthome", {"navbutton-home-normal: url(h.gif);"}}});
  const std::string base = Sheet({{"body", {"font-family: Serif;"}}});
  const std::string notes = Sheet({{"body", {"color: rgb(9, 9, 9);"}}});
  LoadBytes(MakePackage("v", {{"Color.css", color0},
                              {"COLOR1.CSS", color1},
                              {"colorgraph.css", mixed},
                              {"Graph1.Css", graph1},
                              {"mytheme.css", base},
                              {"notes.css", notes},
                              {"notes.txt", notes}}));
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#010203");
  theme_.ColorIndex(1);
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#040506");
  theme_.ColorIndex(0);
  EXPECT_EQ(theme_.Color(u"h1")->Color(), u"#070809");  // "color" wins over "graph"
  theme_.GraphIndex(1);
  EXPECT_EQ(theme_.Graph(u"navtxthome")->NavButtonHomeNormal(), u"h.gif");
  theme_.GraphIndex(0);
  EXPECT_EQ(theme_.Graph(u"navtxthome")->NavButtonHomeNormal(), u"");
  EXPECT_EQ(theme_.Base(u"body")->FontFamily(), u"Serif");
  EXPECT_FALSE(Out("notes.css").has_value());
  EXPECT_EQ(Out("notes.txt"), notes);
}

TEST_F(LoaderTest, VariantTwoFailsAtItsFirstValueAfterEarlierWork) {
  const std::string pkg =
      MakePackage("v2", {{"color0.css", Sheet({{"body", {"color: rgb(1, 1, 1);"}}})},
                         {"early.gif", "E"},
                         {"color2.css", Sheet({{"body", {"color: rgb(2, 2, 2);"}}})},
                         {"late.gif", "L"}});
  EXPECT_EQ(ErrorOf(pkg), kSubscriptOutOfRange);
  EXPECT_EQ(VersionOf(theme_), u"v2");
  EXPECT_EQ(Out("early.gif"), "E");
  EXPECT_FALSE(Out("late.gif").has_value());
  // The failed sheet left the color objects on variant 2 until the next set.
  EXPECT_THROW(theme_.Color(u"body")->Color(), AutomationError);
  theme_.ColorIndex(0);
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#010101");
}

TEST_F(LoaderTest, EmptyPiecesAndOverwrittenFiles) {
  env_.AddFolder(kWork);
  env_.AddFile(kWork + u"/a.gif", "an older and longer file");
  LoadBytes(MakePackage("v", {{"zero.gif", ""}, {"a.gif", "new"}, {"zero2.gif", ""}}));
  EXPECT_EQ(Out("zero.gif"), "");
  EXPECT_EQ(Out("a.gif"), "new");
  EXPECT_EQ(Out("zero2.gif"), "");
}

TEST_F(LoaderTest, TruncatedOrMisMarkedPiecesUnpackEmpty) {
  const std::string full = MakePackage("v", {{"a.gif", "AAAA"}, {"b.gif", "BBBB"}, {"c.gif", "C"}});
  const size_t b_start = full.find("BBBB");
  EXPECT_EQ(LoadBytes(full.substr(0, b_start + 2)), 0);
  EXPECT_EQ(Out("a.gif"), "AAAA");
  EXPECT_EQ(Out("b.gif"), "");
  EXPECT_EQ(Out("c.gif"), "");

  // A wrong last marker byte: b and every later piece (a style sheet here) stay empty.
  const std::string sheet = Sheet({{"body", {"color: rgb(3, 3, 3);"}}});
  std::string mismarked =
      MakePackage("v", {{"a.gif", "AAAA"}, {"b.gif", "BBBB"}, {"color0.css", sheet}});
  mismarked[mismarked.find("BBBB") - 1] = '?';
  EXPECT_EQ(LoadBytes(mismarked), 0);
  EXPECT_EQ(Out("b.gif"), "");
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"");

  // A size far beyond the file never completes.
  EXPECT_EQ(LoadBytes("v\n1\na.gif,2000000000\n" + kMarker + "abc"), 0);
  EXPECT_EQ(Out("a.gif"), "");
}

TEST_F(LoaderTest, SecondLoadMergesIntoTheFirst) {
  LoadBytes(MakePackage("one", {{"color0.css", Sheet({{"body", {"color: rgb(1, 1, 1);"}},
                                                      {"h1", {"color: rgb(2, 2, 2);"}}})},
                                {"one.gif", "1"}}));
  LoadBytes(MakePackage(
      "two", {{"color0.css", Sheet({{"body", {"color: rgb(3, 3, 3);"}}})}, {"two.gif", "2"}}));
  EXPECT_EQ(VersionOf(theme_), u"two");
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#030303");
  EXPECT_EQ(theme_.Color(u"h1")->Color(), u"#020202");
  EXPECT_EQ(Out("one.gif"), "1");
  EXPECT_EQ(Out("two.gif"), "2");
}

TEST_F(LoaderTest, MalformedHeadersRaiseInvalidArgument) {
  const std::string long_name(5000, 'n');
  const std::vector<std::string> bad = {
      "no line feed at all",
      "v\n",                                          // no count line
      "v\n2\na.gif,1\n",                              // more entries than lines
      "v\n1\na.gif 1\n",                              // no comma
      "v\n1\na.gif,1",                                // the size line has no LF
      "v\n1\n" + long_name + ",1\n" + kMarker + "x",  // header beyond 4096 bytes
      "v\n1\na.gif,-1\n",                             // negative size
      "v\n-1\n",                                      // negative count
      "v\n2000000000\na.gif,1\n" + kMarker + "x",     // a count far beyond the lines present
  };
  for (const std::string& pkg : bad) {
    EXPECT_EQ(ErrorOf(pkg), kInvalidProcedureCall) << pkg.substr(0, 40);
    EXPECT_FALSE(env_.FolderExists(kWork)) << pkg.substr(0, 40);
  }
  ErrorOf("stored first\n1\n");
  EXPECT_EQ(VersionOf(theme_), u"stored first");
  EXPECT_EQ(ErrorOf("v\n1\na.gif,1e12\n"), kOverflow);
}

TEST_F(LoaderTest, PieceNamesOutsideTheWorkingFolderAreRefused) {
  env_.AddFile(u"/w/victim.gif", "keep");
  for (const std::string& name :
       {std::string(","), std::string("."), std::string(".."), std::string("../victim.gif"),
        std::string("sub/x.gif"), std::string("a\\b.gif"), std::string("/w/victim.gif")}) {
    const std::string entry = name == "," ? "" : name;
    EXPECT_EQ(ErrorOf(MakePackage("v", {{"before.gif", "B"}, {entry, "evil"}})),
              kPathFileAccessError)
        << name;
    EXPECT_EQ(Out("before.gif"), "B");
  }
  EXPECT_EQ(env_.FileContents(u"/w/victim.gif"), "keep");
  env_.AddSymlink(kWork + u"/link.gif");
  EXPECT_EQ(ErrorOf(MakePackage("v", {{"link.gif", "evil"}})), kPathFileAccessError);
}

TEST_F(LoaderTest, UnusableWorkingFolderLeavesPiecesInTheCurrentDirectory) {
  env_.AddFolder(u"/cur");
  env_.SetCurrentDirectory(u"/cur");
  theme_.WorkingFolder(u"/missing/parent");
  LoadBytes(MakePackage("v", {{"a.gif", "A"}}));
  EXPECT_EQ(env_.FileContents(u"/cur/a.gif"), "A");
  EXPECT_EQ(env_.CurrentDirectory(), u"/cur");
}

// The real file system: a package unpacked into its own folder, which becomes
// current, holding a piece of its own name: the later pieces still come from
// the package as it was.
TEST(LoaderOnDisk, APieceMayReplaceThePackageItself) {
  namespace fs = std::filesystem;
  const fs::path previous = fs::current_path();
  const fs::path root = fs::temp_directory_path() / ("rxtheme-loader-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root);
  const std::string big(20000, 'z');
  std::ofstream(root / "t.elm", std::ios::binary)
      << MakePackage("1.0", {{"Pic.gif", "A"}, {"T.ELM", "replaced"}, {"big.gif", big}});
  CTheme theme;
  theme.WorkingFolder(Widen(root.string()));
  theme.Load(Widen((root / "t.elm").string()));
  EXPECT_EQ(fs::current_path(), root);
  EXPECT_EQ(ReadAll(root / "pic.gif"), "A");
  EXPECT_EQ(ReadAll(root / "t.elm"), "replaced");
  EXPECT_TRUE(ReadAll(root / "big.gif") == big);
  fs::current_path(previous);
  fs::remove_all(root);
}

}  // namespace
}  // namespace rxTheme::testing
