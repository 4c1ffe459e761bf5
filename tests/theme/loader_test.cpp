#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/loader.h>
#include <rxtheme/theme/theme.h>
#include "platform/env.h"
#include "theme_test_util.h"

namespace rxTheme::testing {
namespace {

const WString kPackage = u"/pkg/t.elm";
const WString kWork = u"/w/out";

// A MemEnv that records the size of every read of a package. `alias` names a
// file that is the package (as a link to it would be); `alias_seen` tells
// whether that file stood there during a read.
class CountingEnv : public MemEnv {
 public:
  std::vector<size_t> reads;
  WString alias;
  bool alias_seen = false;
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override {
    struct Counted : ReadableFile {
      std::unique_ptr<ReadableFile> inner;
      CountingEnv* env;
      int64_t Size() const override { return inner->Size(); }
      size_t Read(char* buf, size_t n) override {
        env->reads.push_back(n);
        env->alias_seen = env->alias_seen || env->FileExists(env->alias);
        return inner->Read(buf, n);
      }
      std::optional<FileIdentity> Identity() const override { return inner->Identity(); }
    };
    auto counted = std::make_unique<Counted>();
    counted->inner = MemEnv::OpenForLoad(path);
    counted->env = this;
    return counted;
  }
  std::optional<FileIdentity> IdentityOf(const WString& path) override {
    return MemEnv::IdentityOf(path == alias ? kPackage : path);
  }
};

// A theme whose working folder is kWork, loading packages from kPackage.
struct Rig {
  Rig() : scope_(env_) {
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
  // The error number loading raises, 0 when it returns.
  int32_t ErrorOf(const std::string& bytes, const WString& path = kPackage) {
    if (!bytes.empty()) env_.AddFile(path, bytes);
    return ErrorNumberOf([&] { theme_.Load(path); });
  }

  CountingEnv env_;
  ScopedEnv scope_;
  CTheme theme_;
};

class LoaderTest : public ::testing::Test, protected Rig {};

std::string Bytes(size_t n, char seed) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(seed + i * 7);
  return s;
}

// One piece ending on, just past and well past the first chunk; later markers
// straddling the chunk boundary at every offset; bytes after the last piece,
// which are never read.
TEST_F(LoaderTest, PiecesAcrossChunkBoundaries) {
  // Every size here has four digits, so the header length is known.
  const size_t head = MakePackage("v", {{"a.bin", std::string(1000, 'x')}}).size() - 1000;
  const std::vector<std::pair<size_t, std::vector<size_t>>> rows = {
      {4096, {4096}}, {4097, {4096, 1}}, {9000, {4096, 4096, 808}}};
  for (const auto& [total, reads] : rows) {
    const std::string data = Bytes(total - head, 'x');
    env_.reads.clear();
    LoadBytes(MakePackage("v", {{"a.bin", data}}));
    EXPECT_EQ(Out("a.bin"), data) << total;
    EXPECT_EQ(env_.reads, reads) << total;
  }
  for (size_t first = 3990; first <= 4060; ++first) {
    const std::string a = Bytes(first, 'a'), b = Bytes(3, 'b'), c = Bytes(5000, 'c');
    LoadBytes(MakePackage("v", {{"a.bin", a}, {"b.bin", b}, {"c.bin", c}}));
    ASSERT_EQ(Out("a.bin"), a) << first;
    ASSERT_EQ(Out("b.bin"), b) << first;
    ASSERT_EQ(Out("c.bin"), c) << first;
  }
  env_.reads.clear();
  LoadBytes(MakePackage("v", {{"a.bin", Bytes(5000, 'a')}}) + kMarker + Bytes(20000, 't'));
  EXPECT_EQ(Out("a.bin")->size(), 5000u);
  EXPECT_EQ(env_.reads, (std::vector<size_t>{4096, 4096}));
}

// Each package (well-formed, cut off, malformed or naming a piece outside the
// folder) loaded into a fresh working folder: the error raised (0: none),
// the version read (nullptr: not checked) and what the folder holds, written
// "name=contents" ("name" alone: no such file; "/": the folder was not made).
// Successful loads start from a folder holding an older "over.gif"; every
// load leaves "/w/victim.gif", outside the folder, alone.
TEST(LoaderCases, OutcomeOfEachPackage) {
  const std::string three = MakePackage("v", {{"a.gif", "AA"}, {"b.gif", "BB"}, {"c.gif", "C"}});
  const size_t b_at = three.find("BB");
  std::string mismarked = three;
  mismarked[b_at - 1] = '?';
  const int32_t kBad = kInvalidProcedureCall, kRefused = kPathFileAccessError;
  struct Row {
    std::string pkg;
    int32_t error;
    const char* version;
    std::string files;
  };
  std::vector<Row> rows = {
      // CR LF lines, numbers rounded half to even
      {"1.0\r\n  2.5\r\nA.gif, 2.5\r\nb.gif,0\r\n" + kMarker + "xy" + kMarker, 0, "1.0\r",
       "a.gif=xy b.gif="},
      {"v0\n0\n" + kMarker + "junk", 0, "v0", "junk"},
      // empty pieces; a shorter piece over an older file
      {MakePackage("v", {{"zero.gif", ""}, {"over.gif", "new"}, {"zero2.gif", ""}}), 0, "v",
       "zero.gif= over.gif=new zero2.gif="},
      {three.substr(0, b_at + 1), 0, "v", "a.gif=AA b.gif= c.gif="},
      // a wrong marker byte empties that piece and the later ones
      {mismarked, 0, "v", "a.gif=AA b.gif= c.gif="},
      {"v\n1\na.gif,2000000000\n" + kMarker + "abc", 0, "v", "a.gif="},
      {"no line feed at all", kBad, nullptr, "/"},
      {"v\n", kBad, nullptr, "/"},
      // more entries than lines
      {"v\n2\na.gif,1\n", kBad, nullptr, "/"},
      {"v\n1\na.gif 1\n", kBad, nullptr, "/"},
      {"v\n1\na.gif,1", kBad, nullptr, "/"},
      {"v\n1\n" + std::string(5000, 'n') + ",1\n" + kMarker + "x", kBad, nullptr, "/"},
      {"v\n1\na.gif,-1\n", kBad, nullptr, "/"},
      // a count of 0 or less lists nothing; one beyond the lines present, even
      // beyond 32 bits, runs out of lines
      {"v\n-1\n" + kMarker + "x", 0, "v", "x"},
      {"v\n-3000000000\n", 0, "v", "a.gif"},
      {"v\n2000000000\na.gif,1\n" + kMarker + "x", kBad, nullptr, "/"},
      {"v\n2147483648\na.gif,1\n" + kMarker + "x", kBad, nullptr, "/"},
      {"v\n1e300\na.gif,1\n" + kMarker + "x", kBad, nullptr, "/"},
      // the version is stored before the header fails
      {"stored first\n1\n", kBad, "stored first", "/"},
      {"v\n1\na.gif,1e12\n", kOverflow, nullptr, ""},
      {"v\n1\na.gif,2147483648\n", kOverflow, nullptr, ""},
  };
  // A piece named outside the folder is refused; the pieces before it stay.
  for (const char* name :
       {"", ".", "..", "../victim.gif", "sub/x.gif", "a\\b.gif", "/w/victim.gif"}) {
    rows.push_back(
        {MakePackage("v", {{"before.gif", "B"}, {name, "evil"}}), kRefused, "v", "before.gif=B"});
  }
  for (const Row& row : rows) {
    SCOPED_TRACE(row.pkg.substr(0, 60));
    Rig rig;
    rig.env_.AddFile(u"/w/victim.gif", "keep");
    if (row.error == 0) rig.env_.AddFile(kWork + u"/over.gif", "an older and longer file");
    EXPECT_EQ(rig.ErrorOf(row.pkg), row.error);
    if (row.version) {
      EXPECT_EQ(VersionOf(rig.theme_), Widen(row.version));
    }
    if (row.error == 0) {
      EXPECT_EQ(rig.env_.CurrentDirectory(), kWork);
    }
    EXPECT_EQ(rig.env_.FileContents(u"/w/victim.gif"), "keep");
    for (const WString& name : rig.env_.ListFiles(kWork)) {
      EXPECT_FALSE(name.starts_with(u".rxtheme")) << "temporary file left";
    }
    std::istringstream files(row.files);
    for (std::string file; files >> file;) {
      const size_t eq = file.find('=');
      if (file == "/") {
        EXPECT_FALSE(rig.env_.FolderExists(kWork));
      } else {
        EXPECT_EQ(rig.Out(file.substr(0, eq)),
                  eq == std::string::npos ? std::nullopt : std::optional(file.substr(eq + 1)))
            << file;
      }
    }
  }
}

// How many pieces a damaged package lacks, for tools to say so.
TEST_F(LoaderTest, ReportCountsCutOffPieces) {
  const std::string three = MakePackage("v", {{"a.gif", "AA"}, {"b.css", "BB"}, {"c.gif", "C"}});
  std::string mismarked = three;
  mismarked[three.find("C") - 1] = '?';
  for (const auto& [pkg, cut_off] : std::vector<std::pair<std::string, size_t>>{
           {three, 0}, {three.substr(0, three.find("BB") + 1), 2}, {mismarked, 1}}) {
    env_.AddFile(kPackage, pkg);
    LoadReport report;
    ThemeLoader::Load(theme_, kPackage, &report);
    EXPECT_EQ(std::pair(report.pieces, report.cut_off), std::pair(size_t{3}, cut_off));
  }
}

// A picture that would replace the package itself, reached by another name,
// is written once the package has been read, and so are the pieces after it.
TEST_F(LoaderTest, APictureOverThePackageWaitsForItsEnd) {
  env_.alias = u"alias.gif";  // as the loader names it, in the working folder
  const std::string big = Bytes(9000, 'b');
  LoadBytes(MakePackage("v", {{"alias.gif", "A"},
                              {"color0.css", Rule("body", "color: rgb(1, 2, 3);")},
                              {"last.gif", big}}));
  EXPECT_FALSE(env_.alias_seen);
  EXPECT_EQ(Out("alias.gif"), "A");
  EXPECT_EQ(Out("last.gif"), big);
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#010203");
}

// A missing package is created empty and still prepares the working folder;
// an unreachable package path fails before that.
TEST_F(LoaderTest, MissingPackages) {
  EXPECT_EQ(theme_.Load(u"/pkg/none.elm"), 0);
  EXPECT_EQ(env_.FileContents(u"/pkg/none.elm"), "");
  EXPECT_EQ(env_.CurrentDirectory(), kWork);

  env_.SetCurrentDirectory(u"/");
  for (const WString& path : {WString(), WString(u"/nowhere/t.elm")}) {
    EXPECT_EQ(ErrorOf("", path), kPathNotFound);
    EXPECT_EQ(env_.CurrentDirectory(), u"/");
  }
}

TEST_F(LoaderTest, PiecesAreRoutedByName) {
  auto color = [](const std::string& style, const std::string& rgb) {
    return Rule(style, "color: rgb(" + rgb + ");");
  };
  const std::string notes = color("body", "9, 9, 9");
  LoadBytes(MakePackage(
      "v", {{"Color.css", color("body", "1, 2, 3")},
            {"COLOR1.CSS", color("body", "4, 5, 6")},
            {"colorgraph.css", color("h1", "7, 8, 9")},
            {"Graph1.Css", Rule(".mstheme-navtxthome", "navbutton-home-normal: url(h.gif);")},
            {"mytheme.css", Rule("body", "font-family: Serif;")},
            {"notes.css", notes},
            {"notes.txt", notes}}));
  EXPECT_EQ(theme_.Base(u"body")->FontFamily(), u"Serif");
  for (int16_t variant : {1, 0}) {
    theme_.ColorIndex(variant);
    theme_.GraphIndex(variant);
    EXPECT_EQ(theme_.Color(u"body")->Color(), variant ? u"#040506" : u"#010203");
    EXPECT_EQ(theme_.Graph(u"navtxthome")->NavButtonHomeNormal(), variant ? u"h.gif" : u"");
  }
  EXPECT_EQ(theme_.Color(u"h1")->Color(), u"#070809");  // "color" wins over "graph"
  EXPECT_FALSE(Out("notes.css").has_value());
  EXPECT_EQ(Out("notes.txt"), notes);

  // A second load merges into the first: the version and the values it names
  // replace the old ones, the rest stay.
  LoadBytes(MakePackage("two", {{"color.css", color("body", "3, 3, 3")}}));
  EXPECT_EQ(VersionOf(theme_), u"two");
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#030303");
  EXPECT_EQ(theme_.Color(u"h1")->Color(), u"#070809");
}

TEST_F(LoaderTest, VariantTwoFailsAtItsFirstValueAfterEarlierWork) {
  const std::string pkg = MakePackage("v2", {{"color0.css", Rule("body", "color: rgb(1, 1, 1);")},
                                             {"early.gif", "E"},
                                             {"color2.css", Rule("body", "color: rgb(2, 2, 2);")},
                                             {"late.gif", "L"}});
  EXPECT_EQ(ErrorOf(pkg), kSubscriptOutOfRange);
  EXPECT_EQ(Out("early.gif"), "E");
  EXPECT_FALSE(Out("late.gif").has_value());
  // The failed sheet left the color objects on variant 2 until the next set.
  EXPECT_THROW(theme_.Color(u"body")->Color(), AutomationError);
  theme_.ColorIndex(0);
  EXPECT_EQ(theme_.Color(u"body")->Color(), u"#010101");
}

// A link in the working folder is not written through.
TEST_F(LoaderTest, PieceOverASymbolicLinkIsRefused) {
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
// the package as it was. A hard link in the folder to a file outside it is
// not written through.
TEST(LoaderOnDisk, ThePackageItselfAndHardLinks) {
  namespace fs = std::filesystem;
  const fs::path previous = fs::current_path();
  const fs::path root = fs::temp_directory_path() / ("rxtheme-loader-" + std::to_string(getpid()));
  const fs::path work = root / "work";
  fs::remove_all(root);
  fs::create_directories(work);
  const std::string big(20000, 'z');
  std::ofstream(work / "t.elm", std::ios::binary)
      << MakePackage("1.0", {{"Pic.gif", "A"}, {"T.ELM", "replaced"}, {"big.gif", big}});
  std::ofstream(work / "u.elm", std::ios::binary) << MakePackage("1.0", {{"link.gif", "evil"}});
  std::ofstream(root / "outside.txt") << "keep";
  fs::create_hard_link(root / "outside.txt", work / "link.gif");
  CTheme theme;
  theme.WorkingFolder(Widen(work.string()));
  theme.Load(Widen((work / "t.elm").string()));
  EXPECT_EQ(fs::current_path(), work);
  EXPECT_EQ(ReadAll(work / "pic.gif"), "A");
  EXPECT_EQ(ReadAll(work / "t.elm"), "replaced");
  EXPECT_TRUE(ReadAll(work / "big.gif") == big);
  EXPECT_EQ(ErrorNumberOf([&] { theme.Load(Widen((work / "u.elm").string())); }), 75);
  EXPECT_EQ(ReadAll(root / "outside.txt"), "keep");
  fs::current_path(previous);
  fs::remove_all(root);
}

}  // namespace
}  // namespace rxTheme::testing
