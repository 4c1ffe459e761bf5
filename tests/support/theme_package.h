// Theme packages for tests: made from pieces given here, or packed from a
// sample theme's source folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <rxtheme/theme/package_writer.h>
#include "theme/package_format.h"

namespace rxTheme::testing {

// For packages written by hand (damaged ones): the marker before each piece.
inline const std::string kMarker(kPieceMarker);

struct Piece {
  std::string name;  // as written in the entry line
  std::string data;
};

// A well-formed package, as the package writer writes it.
inline std::string MakePackage(const std::string& version, const std::vector<Piece>& pieces) {
  std::vector<PackageContent> contents;
  for (const Piece& p : pieces) contents.push_back({p.name, p.data});
  return FormatPackage(version, contents);
}

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::filesystem::path SampleDir(const std::string& name) {
  return std::filesystem::path(RXTHEME_SOURCE_DIR) / "themes" / name;
}

// The sample theme `name` as a package: every file of its folder but the
// ".inf", in name order.
inline std::string SamplePackage(const std::string& name) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(SampleDir(name))) {
    if (entry.path().extension() != ".inf") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  std::vector<Piece> pieces;
  for (const auto& file : files) pieces.push_back({file.filename().string(), ReadAll(file)});
  return MakePackage("1.0", pieces);
}

}  // namespace rxTheme::testing
