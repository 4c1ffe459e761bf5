// Speed of the bag's flat form and of a restore: encoding (Contents get) and
// decoding (Contents let) of a flat bag of short strings, and the saved state
// of a page using the Harbor sample theme decoded, restored and encoded, each
// beside a plain memcpy of the same number of bytes.
//
// The Harbor state is made by loading the packed sample theme that the build
// writes to <build>/themes/harbor/harbor.elm (found next to this program, or
// at the path in RXTHEME_HARBOR_ELM) into an in-memory file system, and saving
// the theme as a host does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/theme/theme.h>
#include "persist/bag_access.h"
#include "persist/contents_codec.h"
#include "support/mem_env.h"

namespace rxTheme {
namespace {

WString Record(const WString& name, const WString& type, const Variant& value) {
  return EncodeField(Variant(name), kTagName) + EncodeField(Variant(type), kTagObjectType) +
         EncodeField(value);
}

// `n` entries "Key000000" to "Key<n-1>" holding short strings such as
// "#A0B0C0". The names have one width at every size, so that every size pays
// the same per-entry cost (a name that fits the string's inline buffer at one
// size and not at another would make the sizes incomparable).
WString FlatContents(int n) {
  WString out;
  char name[16];
  for (int i = 0; i < n; ++i) {
    std::snprintf(name, sizeof name, "Key%06d", i);
    out += Record(Widen(name), u"", Variant(u"#A0B0C" + Widen(std::to_string(i % 10))));
  }
  return out;
}

std::filesystem::path HarborPackagePath() {
  if (const char* path = std::getenv("RXTHEME_HARBOR_ELM")) return path;
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return exe.parent_path().parent_path() / "themes" / "harbor" / "harbor.elm";
}

// The contents a host keeps for a page using the Harbor theme: the theme
// object saved under "Theme". Empty when the package is not found.
const WString& HarborState() {
  static const WString state = [] {
    std::ifstream in(HarborPackagePath(), std::ios::binary);
    if (!in) return WString();
    MemEnv env;
    ScopedEnv scoped(env);
    env.AddFile(u"/themes/harbor/harbor.elm",
                std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    env.AddFolder(u"/site/pages");
    auto theme = std::make_shared<CTheme>();
    theme->WorkingFolder(u"/site/pages");
    theme->Load(u"/themes/harbor/harbor.elm");
    PropertyBagX bag;
    bag.WriteProperty(u"Theme", Variant::Obj(theme));
    return bag.Contents();
  }();
  return state;
}

bool HaveHarbor(benchmark::State& state) {
  if (!HarborState().empty()) return true;
  state.SkipWithError("harbor.elm not found: build the sample themes or set RXTHEME_HARBOR_ELM");
  return false;
}

void SetBytes(benchmark::State& state, size_t units) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(units * 2));
  state.counters["bytes"] = static_cast<double>(units * 2);
}

void BM_FlatDecode(benchmark::State& state) {
  const WString contents = FlatContents(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    PropertyBagX bag;
    bag.Contents(contents);
    benchmark::DoNotOptimize(bag);
  }
  SetBytes(state, contents.size());
}

void BM_FlatEncode(benchmark::State& state) {
  PropertyBagX bag;
  bag.Contents(FlatContents(static_cast<int>(state.range(0))));
  size_t units = 0;
  for (auto _ : state) {
    WString out = bag.Contents();
    units = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  SetBytes(state, units);
}

// Decodes a whole tree as a restore does: each nested value is decoded too,
// from its parent's contents.
size_t DecodeTree(const PropertyBagX& bag) {
  size_t entries = BagAccess::Stored(bag).size();
  for (size_t i = 0; i < BagAccess::Stored(bag).size(); ++i) {
    const StoredEntry& e = BagAccess::Stored(bag)[i];
    if (!e.ObjectType().empty() && e.IsText()) entries += DecodeTree(BagAccess::Nested(bag, i));
  }
  return entries;
}

size_t DecodeTree(const WString& contents) {
  PropertyBagX bag;
  bag.Contents(contents);
  return DecodeTree(bag);
}

void BM_DecodeTheme(benchmark::State& state) {
  if (!HaveHarbor(state)) return;
  size_t entries = 0;
  for (auto _ : state) {
    entries = DecodeTree(HarborState());
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
  SetBytes(state, HarborState().size());
}

// What a host does to get its page's theme back from the kept contents.
void BM_RestoreTheme(benchmark::State& state) {
  if (!HaveHarbor(state)) return;
  for (auto _ : state) {
    PropertyBagX bag;
    bag.Contents(HarborState());
    Variant theme = bag.ReadProperty(u"Theme");
    benchmark::DoNotOptimize(theme);
  }
  SetBytes(state, HarborState().size());
}

// The tree held as decoded bags at every level; encoding takes every bag's
// Contents, innermost first, as saving does.
struct Tree {
  PropertyBagX bag;
  std::vector<Tree> children;
};

void BuildTree(const PropertyBagX& bag, Tree& tree) {
  tree.bag = bag;
  for (size_t i = 0; i < BagAccess::Stored(bag).size(); ++i) {
    const StoredEntry& e = BagAccess::Stored(bag)[i];
    if (!e.ObjectType().empty() && e.IsText())
      BuildTree(BagAccess::Nested(bag, i), tree.children.emplace_back());
  }
}

size_t EncodeTree(const Tree& tree) {
  size_t units = 0;
  for (const Tree& child : tree.children) units += EncodeTree(child);
  return units + tree.bag.Contents().size();
}

void BM_EncodeTheme(benchmark::State& state) {
  if (!HaveHarbor(state)) return;
  PropertyBagX top;
  top.Contents(HarborState());
  Tree tree;
  BuildTree(top, tree);
  for (auto _ : state) {
    size_t units = EncodeTree(tree);
    benchmark::DoNotOptimize(units);
  }
  SetBytes(state, HarborState().size());
}

void BM_Memcpy(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0));
  std::vector<char> from(bytes, 'x'), to(bytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

BENCHMARK(BM_FlatDecode)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlatEncode)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeTheme)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RestoreTheme)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EncodeTheme)->Unit(benchmark::kMicrosecond);
// The same byte counts as the bags above (printed as their "bytes" counters).
BENCHMARK(BM_Memcpy)
    ->Arg(static_cast<int64_t>(FlatContents(10000).size() * 2))
    ->Arg(static_cast<int64_t>(FlatContents(100000).size() * 2))
    ->Arg(static_cast<int64_t>(HarborState().size() * 2));

}  // namespace
}  // namespace rxTheme

BENCHMARK_MAIN();
