// The package writer against the reader and the loader, and the checker's
// public entry points on themes in the in-memory file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <rxtheme/authoring/check_theme.h>
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/theme/package_writer.h>
#include <rxtheme/theme/theme.h>
#include "support/mem_env.h"
#include "support/theme_package.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

int32_t ErrorOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& e) {
    return e.Number();
  }
  return 0;
}

// The codes of the findings, with the file and line of each ("file:line code").
std::vector<std::string> Listed(const Findings& findings) {
  std::vector<std::string> out;
  for (const Finding& f : findings.Sorted()) {
    out.push_back(ToUtf8(f.file) + ":" + std::to_string(f.line) + " " + f.code);
  }
  return out;
}

bool Has(const Findings& findings, const std::string& entry) {
  const std::vector<std::string> listed = Listed(findings);
  return std::find(listed.begin(), listed.end(), entry) != listed.end();
}

TEST(PackageWriterTest, HeaderReadsBackAsWritten) {
  const std::vector<PackagePiece> pieces = {
      {"Color0.CSS", 12}, {"", 0}, {"a b.gif", 2147483647}, {"x;y.png", 5}};
  for (const std::string version : {"1.0", "", "v2\r", "with, comma"}) {
    const std::string header = FormatPackageHeader(version, pieces);
    EXPECT_EQ(header.size(), PackageHeaderLength(version, pieces));
    const PackageHeader read = ParsePackageHeader(header);
    EXPECT_EQ(read.version, Widen(version));
    EXPECT_EQ(read.length, header.size());
    ASSERT_EQ(read.entries.size(), pieces.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
      EXPECT_EQ(read.entries[i].name, LCase(Widen(pieces[i].name)));
      EXPECT_EQ(read.entries[i].size, pieces[i].size);
    }
  }
}

// What the loader could not read back is refused before a byte is written;
// a header that fills the first chunk exactly is still written.
TEST(PackageWriterTest, RefusesWhatCannotBeReadBack) {
  const std::string name(4096 - 10, 'n');  // "v\n1\n" + name + ",0\n" is 4096 - 3 bytes
  EXPECT_EQ(FormatPackageHeader("v", {{name + "abc", 0}}).size(), 4096u);
  std::string sent;
  auto sink = [&](std::string_view bytes) { sent += bytes; };
  const struct {
    std::string version;
    std::vector<PackagePiece> pieces;
  } refused[] = {{"1\n0", {}},
                 {"v", {{"a,b.gif", 1}}},
                 {"v", {{"a\rb.gif", 1}}},
                 {"v", {{"a\nb.gif", 1}}},
                 {"v", {{"a.gif", -1}}},
                 {"v", {{name + "abcd", 0}}}};
  for (const auto& row : refused) {
    EXPECT_EQ(ErrorOf([&] { FormatPackageHeader(row.version, row.pieces); }),
              kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { PackageWriter(row.version, row.pieces, sink); }),
              kInvalidProcedureCall);
  }
  EXPECT_EQ(sent, "");
}

// Streamed in blocks, a package is the one made whole; bytes that disagree
// with the listed sizes are refused.
TEST(PackageWriterTest, StreamsWhatTheHeaderListsAndNothingElse) {
  const std::string picture(70000, 'p');
  const std::string whole = FormatPackage("1.0", {{"a.gif", picture}, {"empty.gif", ""}});
  std::string sent;
  PackageWriter writer("1.0", {{"a.gif", 70000}, {"empty.gif", 0}},
                       [&](std::string_view bytes) { sent += bytes; });
  EXPECT_EQ(writer.Size(), static_cast<int64_t>(whole.size()));
  writer.StartPiece();
  for (size_t at = 0; at < picture.size(); at += 4096) writer.Append(picture.substr(at, 4096));
  EXPECT_EQ(ErrorOf([&] { writer.Append("x"); }), kInvalidProcedureCall);
  writer.StartPiece();
  EXPECT_EQ(ErrorOf([&] { writer.StartPiece(); }), kInvalidProcedureCall);
  EXPECT_EQ(writer.Finish(), static_cast<int64_t>(whole.size()));
  EXPECT_EQ(sent, whole);

  PackageWriter partial("1.0", {{"a.gif", 2}, {"b.gif", 1}}, [](std::string_view) {});
  EXPECT_EQ(ErrorOf([&] { partial.Append("x"); }), kInvalidProcedureCall);  // not started
  partial.StartPiece();
  partial.Append("x");
  EXPECT_EQ(ErrorOf([&] { partial.StartPiece(); }), kInvalidProcedureCall);  // a.gif short
  partial.Append("y");
  EXPECT_EQ(ErrorOf([&] { partial.Finish(); }), kInvalidProcedureCall);  // b.gif missing
}

// A written package loads with the pieces given, whatever their bytes (a
// marker inside a piece included).
TEST(PackageWriterTest, WrittenPackageLoads) {
  MemEnv env;
  ScopedEnv scope(env);
  env.AddFolder(u"/w");
  const std::string odd = std::string("a\0b\n,", 5) + std::string(kPieceMarker) + "tail";
  env.AddFile(u"/p/t.elm",
              FormatPackage("2.5", {{"color0.css", "body\r\n{\r\n\tcolor: rgb(1, 2, 3);\r\n}\r\n"},
                                    {"Odd.BIN", odd},
                                    {"blank.gif", ""}}));
  CTheme theme;
  theme.WorkingFolder(u"/w");
  theme.Load(u"/p/t.elm");
  EXPECT_EQ(env.FileContents(u"/w/odd.bin"), odd);
  EXPECT_EQ(env.FileContents(u"/w/blank.gif"), "");
}

// The sample theme "harbor" in the in-memory file system, as a source folder
// and as an installed theme.
class CheckThemeTest : public ::testing::Test {
 protected:
  CheckThemeTest() : scope_(env_) {
    std::vector<PackageContent> pieces;
    for (const auto& entry : std::filesystem::directory_iterator(testing::SampleDir("harbor"))) {
      const std::string name = entry.path().filename().string();
      const std::string bytes = testing::ReadAll(entry.path());
      env_.AddFile(u"/src/harbor/" + Widen(name), bytes);
      if (name == "harbor.inf") env_.AddFile(u"/themes/harbor/harbor.inf", bytes);
    }
  }

  std::string Sheet(const std::string& name) {
    return *env_.FileContents(u"/src/harbor/" + Widen(name));
  }

  MemEnv env_;
  ScopedEnv scope_;
};

TEST_F(CheckThemeTest, SourceFolderAndItsPackage) {
  // The sample is clean.
  EXPECT_EQ(Listed(CheckSourceFolder(u"/src/harbor", u"harbor")), std::vector<std::string>{});

  // Files pack leaves out, a picture no sheet names, a sheet line the parser
  // skips, a picture named but absent.
  env_.AddFile(u"/src/harbor/notes.txt~", "backup");
  env_.AddSymlink(u"/src/harbor/link.png");
  env_.AddFile(u"/src/harbor/spare.png", "png");
  std::string color0 = Sheet("color0.css");
  color0.insert(color0.find("\r\n") + 2, "h7\r\n{\r\n\tcolor: rgb(1, 2, 3);\r\n}\r\n");
  env_.WriteFile(u"/src/harbor/color0.css", color0);
  std::string theme = Sheet("theme.css");
  const size_t banner = theme.find("background.png");
  ASSERT_NE(banner, std::string::npos);
  theme.replace(banner, 14, "backgrund.png");
  env_.WriteFile(u"/src/harbor/theme.css", theme);

  const Findings source = CheckSourceFolder(u"/src/harbor", u"harbor");
  EXPECT_TRUE(Has(source, "harbor/link.png:0 left-out"));
  EXPECT_TRUE(Has(source, "harbor/notes.txt~:0 left-out"));
  EXPECT_TRUE(Has(source, "harbor/color0.css:2 unknown-selector"));
  EXPECT_TRUE(Has(source, "harbor/spare.png:0 unused-piece"));
  EXPECT_EQ(source.Count(Severity::kError), 1u);  // the missing picture
  EXPECT_TRUE(source.Fail(false));

  // Packed, the theme has the same findings about its pieces, named after the
  // package; a package cut short loses its last piece.
  std::vector<PackageContent> pieces;
  for (const WString& name : env_.ListFiles(u"/src/harbor")) {
    const std::string n = Narrow(name);
    if (n.ends_with(".inf") || n.ends_with("~") || n == "version.txt") continue;
    pieces.push_back({n, *env_.FileContents(u"/src/harbor/" + name)});
  }
  std::sort(pieces.begin(), pieces.end(),
            [](const auto& a, const auto& b) { return a.name < b.name; });
  const std::string package = FormatPackage("1.0", pieces);
  env_.AddFile(u"/themes/harbor/harbor.elm", package);
  const Findings installed = CheckInstalledFolder(u"/themes/harbor", u"harbor");
  EXPECT_TRUE(Has(installed, "harbor/harbor.elm(color0.css):2 unknown-selector"));
  EXPECT_EQ(installed.Count(Severity::kError), 1u);
  EXPECT_EQ(installed.Count(Severity::kWarning), source.Count(Severity::kWarning));

  env_.AddFile(u"/cut.elm", package.substr(0, package.size() - 1));
  const Findings cut = CheckPackageFile(u"/cut.elm");
  EXPECT_TRUE(Has(cut, "/cut.elm:" + std::to_string(pieces.size() + 2) + " truncated"));
}

// A package is read forward: sheets after large pictures, and a header
// that runs past the loader's first chunk.
TEST_F(CheckThemeTest, PackageReadPastLargePictures) {
  const std::string sheet = "body\r\n{\r\n\tcolor: rgb(1, 2, 3);\r\n  color: red;\r\n}\r\n";
  env_.AddFile(u"/big.elm", FormatPackage("1.0", {{"a.gif", std::string(200000, 'a')},
                                                  {"color0.css", sheet},
                                                  {"b.gif", std::string(70000, 'b')},
                                                  {"theme.css", "body\r\n{\r\n"}}));
  const Findings big = CheckPackageFile(u"/big.elm", u"big");
  EXPECT_TRUE(Has(big, "big(color0.css):4 space-indent"));
  EXPECT_TRUE(Has(big, "big(theme.css):2 missing-close"));

  std::vector<PackageContent> many;
  for (int i = 0; i < 300; ++i) many.push_back({"picture" + std::to_string(i) + ".gif", ""});
  std::string header = "1.0\n300\n";
  for (const PackageContent& piece : many) header += piece.name + ",0\n";
  ASSERT_GT(header.size(), kPackageChunkSize);
  for (size_t i = 0; i < many.size(); ++i) header += kPieceMarker;
  env_.AddFile(u"/long.elm", header);
  EXPECT_EQ(Listed(CheckPackageFile(u"/long.elm", u"long")),
            std::vector<std::string>{"long:0 header-size"});
}

TEST_F(CheckThemeTest, WrongNamesAndWrongInputs) {
  // An installed theme whose files are not named after its folder.
  env_.AddFile(u"/themes/dusk/other.elm", testing::MakePackage("1.0", {}));
  // (The package, checked all the same, lacks every sheet.)
  const std::vector<std::string> dusk = Listed(CheckInstalledFolder(u"/themes/dusk"));
  EXPECT_EQ(std::count(dusk.begin(), dusk.end(), "/themes/dusk:0 theme-names"), 2);
  EXPECT_EQ(std::count(dusk.begin(), dusk.end(), "/themes/dusk/other.elm:0 missing-sheet"), 5);
  EXPECT_EQ(dusk.back(), "/themes/dusk/other.elm:0 sets-nothing");
  env_.AddFile(u"/notes.txt", "just text\n");
  EXPECT_EQ(Listed(CheckPackageFile(u"/notes.txt", u"notes")),
            std::vector<std::string>{"notes:0 not-a-package"});

  // One sheet: its name decides what it is; mistakes by line.
  EXPECT_EQ(Listed(CheckSheetText(u"notes.css", "body {}")),
            std::vector<std::string>{"notes.css:0 unread-sheet"});
  const Findings sheet =
      CheckSheetText(u"Color1.css",
                     "body\n{\n\tbackground-color: rgb(1, 2, 3);\n"
                     "\tcolor: #070809;\n}\nh1\n{\n    color: rgb(4, 5, 6);\n}\n",
                     u"c");
  EXPECT_EQ(Listed(sheet), (std::vector<std::string>{"c:4 color-form", "c:8 space-indent"}));

  EXPECT_EQ(ErrorOf([] { CheckSourceFolder(u"/absent"); }), kPathNotFound);
  EXPECT_EQ(ErrorOf([] { CheckInstalledFolder(u""); }), kPathNotFound);
  EXPECT_EQ(ErrorOf([] { CheckPackageFile(u"/absent.elm"); }), kFileNotFound);
  env_.FailOn(u"/src/harbor/theme.css", MemEnv::Op::kRead, kPathFileAccessError);
  EXPECT_EQ(ErrorOf([] { CheckSourceFolder(u"/src/harbor"); }), kPathFileAccessError);
}

}  // namespace
}  // namespace rxTheme
