// Distinct pages on distinct threads: eight threads each load a theme into a
// folder of their own, read it, save it and restore it, all at once; every
// result must equal the same work done on one thread. `make test` also runs
// this under ThreadSanitizer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "support/theme_package.h"
#include <rxtheme/theme/page_theme.h>
#include <rxtheme/theme/theme.h>

namespace rxTheme {
namespace {

namespace fs = std::filesystem;

// Everything a page's work gives: the state after loading, after a custom
// value and a variant change, after a restore, the values a page reads, and
// the pictures in its folder.
struct PageResult {
  std::string loaded, changed, restored, values;
  std::map<std::string, std::string> pictures;
  bool operator==(const PageResult&) const = default;
};

PageResult Work(const std::string& package, const fs::path& folder, int variant) {
  PageResult result;
  PageTheme page = PageTheme::Load(package, folder.string(), static_cast<int16_t>(variant),
                                   static_cast<int16_t>(1 - variant));
  result.loaded = page.Save();
  for (const char* style : {"body", "link", "visited", "h1", "h6", "table"}) {
    result.values += page.Value(ThemeSection::kColor, style, "Color") + ";";
  }
  for (const char* property : {"NavBannerImage", "SeparatorImage", "ListImage1"}) {
    result.values += page.Value(ThemeSection::kGraph, "base", property) + ";";
  }
  result.values += page.Value(ThemeSection::kBase, "h1", "FontFamily");
  page.Theme().UseCustomSettings(true);
  page.CustomValue(ThemeSection::kColor, "link", "Color", "#" + std::to_string(100000 + variant));
  page.ColorIndex(static_cast<int16_t>(1 - variant));
  result.changed = page.Save();
  result.restored = PageTheme::Restore(result.changed).Save();
  for (const auto& entry : fs::directory_iterator(folder)) {
    result.pictures[entry.path().filename().string()] = testing::ReadAll(entry.path());
  }
  return result;
}

TEST(PageThreads, EightPagesAtOnceGiveWhatOnePageAtATimeGives) {
  const fs::path root = fs::temp_directory_path() / ("rxtheme-threads-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root);
  const std::vector<std::string> names = {"harbor", "meadow", "ember"};
  std::vector<std::string> packages;
  for (const std::string& name : names) {
    packages.push_back((root / (name + ".elm")).string());
    std::ofstream(packages.back(), std::ios::binary) << testing::SamplePackage(name);
  }
  constexpr int kPages = 8;
  auto package_of = [&](int i) { return packages[static_cast<size_t>(i) % packages.size()]; };
  auto folder_of = [&](int i) { return root / ("page" + std::to_string(i)); };

  std::vector<PageResult> serial(kPages);
  for (int i = 0; i < kPages; ++i) serial[i] = Work(package_of(i), folder_of(i), i % 2);
  for (int i = 0; i < kPages; ++i) fs::remove_all(folder_of(i));

  const fs::path here = fs::current_path();
  std::vector<PageResult> parallel(kPages);
  std::vector<std::string> errors(kPages);
  std::vector<std::thread> threads;
  for (int i = 0; i < kPages; ++i) {
    threads.emplace_back([&, i] {
      try {
        parallel[i] = Work(package_of(i), folder_of(i), i % 2);
      } catch (const std::exception& error) {
        errors[i] = error.what();
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(fs::current_path(), here);
  for (int i = 0; i < kPages; ++i) {
    EXPECT_EQ(errors[i], "") << "page " << i;
    EXPECT_FALSE(serial[i].pictures.empty());
    EXPECT_TRUE(parallel[i] == serial[i]) << "page " << i << " differs from the serial run";
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace rxTheme
