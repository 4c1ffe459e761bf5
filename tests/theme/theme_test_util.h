// Helpers for the theme tests: building packages, counting the bytes a load
// reads, and reading a theme's version through a bag.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "persist/property_bag.h"
#include "platform/mem_env.h"
#include "theme/theme.h"

namespace rxTheme::testing {

inline const std::string kMarker = "<==MS-Theme==>";

struct Piece {
  std::string name;  // as written in the entry line
  std::string data;
};

// A well-formed package with LF line ends.
inline std::string MakePackage(const std::string& version, const std::vector<Piece>& pieces) {
  std::string out = version + "\n" + std::to_string(pieces.size()) + "\n";
  for (const Piece& p : pieces) out += p.name + "," + std::to_string(p.data.size()) + "\n";
  for (const Piece& p : pieces) out += kMarker + p.data;
  return out;
}

// A style sheet in the parsers' layout: "selector", "{", tab declarations, "}".
inline std::string Sheet(
    const std::vector<std::pair<std::string, std::vector<std::string>>>& rules) {
  std::string out;
  for (const auto& [selector, decls] : rules) {
    out += selector + "\r\n{\r\n";
    for (const std::string& d : decls) out += "\t" + d + "\r\n";
    out += "}\r\n";
  }
  return out;
}

// A MemEnv that counts the bytes read through OpenForLoad.
class CountingEnv : public MemEnv {
 public:
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override {
    return std::make_unique<Counted>(MemEnv::OpenForLoad(path), this);
  }
  size_t bytes_read = 0;
  std::vector<size_t> reads;  // the size asked for by each read

 private:
  class Counted : public ReadableFile {
   public:
    Counted(std::unique_ptr<ReadableFile> inner, CountingEnv* env)
        : inner_(std::move(inner)), env_(env) {}
    int64_t Size() const override { return inner_->Size(); }
    size_t Read(char* buf, size_t n) override {
      const size_t got = inner_->Read(buf, n);
      env_->bytes_read += got;
      env_->reads.push_back(n);
      return got;
    }

   private:
    std::unique_ptr<ReadableFile> inner_;
    CountingEnv* env_;
  };
};

// The theme's version text, which has no getter: read back through a bag.
inline WString VersionOf(CTheme& theme) {
  PropertyBagX bag;
  theme.WriteProperties(bag);
  return bag.ReadProperty(u"Version").ToString();
}

}  // namespace rxTheme::testing
