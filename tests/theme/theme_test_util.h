// Helpers for the theme tests: style sheets, recording the reads of a load,
// and reading a theme's version through a bag.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "persist/property_bag.h"
#include "platform/mem_env.h"
#include "support/theme_package.h"
#include "theme/theme.h"

namespace rxTheme::testing {

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

// A MemEnv that records the size of every read through OpenForLoad.
class CountingEnv : public MemEnv {
 public:
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override {
    return std::make_unique<Counted>(MemEnv::OpenForLoad(path), this);
  }
  std::vector<size_t> reads;

 private:
  class Counted : public ReadableFile {
   public:
    Counted(std::unique_ptr<ReadableFile> inner, CountingEnv* env)
        : inner_(std::move(inner)), env_(env) {}
    int64_t Size() const override { return inner_->Size(); }
    size_t Read(char* buf, size_t n) override {
      env_->reads.push_back(n);
      return inner_->Read(buf, n);
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
