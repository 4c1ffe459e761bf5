// A theme's source folder read as its package: the bytes pack writes, read
// in any sizes, and a folder that changes under the reader.
#include "files/folder_package.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "theme/package_format.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

class FolderPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "rxtheme-folder-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }

  static std::string ReadAll(ReadableFile& file, size_t step) {
    std::string bytes;
    std::string buffer(step, '\0');
    while (size_t got = file.Read(buffer.data(), step)) bytes.append(buffer.data(), got);
    return bytes;
  }

  fs::path dir_;
};

TEST_F(FolderPackageTest, ReadsTheBytesPackWrites) {
  // A picture bigger than the loader's chunk, a sheet with LF line ends, and
  // files that are no pieces.
  std::string picture;
  for (int i = 0; i < 10000; ++i) picture += static_cast<char>(i * 7);
  Write("b.gif", picture);
  Write("color0.css", "body\n{\n\tcolor: rgb(1, 2, 3);\n}\n");
  Write("a.inf", "[info]\r\ntitle=A\r\n");
  Write("version.txt", "2.5\r\nrest\r\n");
  Write("old.elm", "1.0\n0\n");
  Write(".hidden", "x");

  const std::string sheet = "body\r\n{\r\n\tcolor: rgb(1, 2, 3);\r\n}\r\n";
  const std::string expected = "2.5\n2\nb.gif,10000\ncolor0.css," + std::to_string(sheet.size()) +
                               "\n" + std::string(kPieceMarker) + picture +
                               std::string(kPieceMarker) + sheet;
  for (size_t step : {1, 7, 4096, 65536}) {
    auto file = OpenFolderPackage(ReadFolderPackage(dir_.string()));
    EXPECT_EQ(file->Size(), static_cast<int64_t>(expected.size()));
    EXPECT_EQ(ReadAll(*file, step), expected) << "reading " << step << " bytes at a time";
  }
}

TEST_F(FolderPackageTest, APictureThatChangedSizeIsRefused) {
  Write("theme.css", "body\r\n{\r\n}\r\n");
  Write("p.gif", "12345678");
  for (const std::string now : {"1234", "123456789012"}) {
    FolderPackage folder = ReadFolderPackage(dir_.string());
    Write("p.gif", now);
    auto file = OpenFolderPackage(std::move(folder));
    try {
      ReadAll(*file, 3);
      ADD_FAILURE() << "no error for p.gif of " << now.size() << " bytes";
    } catch (const AutomationError& e) {
      EXPECT_EQ(e.Number(), kPathFileAccessError);
      EXPECT_NE(e.Description().find(u"changed while it was read"), WString::npos);
    }
    Write("p.gif", "12345678");
  }
}

TEST_F(FolderPackageTest, RefusesWhatPackCannotWrite) {
  Write("theme.css", "body\r\n{\r\n}\r\n");
  Write("a,b.gif", "x");
  EXPECT_THROW(ReadFolderPackage(dir_.string()), AutomationError);
}

TEST_F(FolderPackageTest, AFolderHoldsAStyleSheetWhenAPieceEndsInCss) {
  Write("notes.txt", "x");
  Write(".swap.css", "x");
  EXPECT_FALSE(HoldsStyleSheet(Widen(dir_.string())));
  Write("Theme.CSS", "x");
  EXPECT_TRUE(HoldsStyleSheet(Widen(dir_.string())));
}

TEST_F(FolderPackageTest, TheEnvServesOnlyItsPaths) {
  Write("theme.css", "body\r\n{\r\n}\r\n");
  Write("other.elm", "1.0\n0\n");
  FolderPackageEnv env(CurrentEnv());
  const WString served = Widen((dir_ / "served.elm").string());
  env.Serve(served, Widen(dir_.string()));
  // Each open reads the folder afresh.
  for (int i = 0; i < 2; ++i) {
    auto file = env.OpenForLoad(served);
    EXPECT_EQ(ReadAll(*file, 100).substr(0, 6), "1.0\n1\n");
  }
  EXPECT_FALSE(fs::exists(dir_ / "served.elm"));
  auto other = env.OpenForLoad(Widen((dir_ / "other.elm").string()));
  EXPECT_EQ(ReadAll(*other, 100), "1.0\n0\n");
}

}  // namespace
}  // namespace rxTheme::cli
