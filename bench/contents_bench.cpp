// Speed of the bag's flat form: encoding (Contents get) and decoding (Contents
// let) of a flat bag of short strings and of a nested tree shaped like a saved
// theme, each beside a plain memcpy of the same number of bytes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "persist/contents_codec.h"
#include "persist/property_bag.h"

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

// Three sections of eleven settings objects of thirty values: ~1,000 entries.
WString ThemeContents() {
  WString top;
  const char16_t* sections[] = {u"ThemeCSS", u"ColorCSS", u"GraphCSS"};
  for (const char16_t* section : sections) {
    WString section_contents = Record(u"Index", u"", Variant::I2(1));
    for (int o = 0; o < 11; ++o) {
      WString object;
      for (int v = 0; v < 30; ++v) {
        object += Record(u"Color(" + Widen(std::to_string(v)) + u")", u"", Variant(u"#102030"));
      }
      section_contents +=
          Record(u"Item" + Widen(std::to_string(o)), u"rxTheme.CColorObject", Variant(object));
    }
    top += Record(section, u"rxTheme.CColor", Variant(section_contents));
  }
  return top;
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
    benchmark::DoNotOptimize(bag.Entries().data());
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

// Decodes a whole tree: each nested value is itself decoded.
size_t DecodeTree(const WString& contents) {
  PropertyBagX bag;
  bag.Contents(contents);
  size_t entries = bag.Entries().size();
  for (const PropertyEntry& e : bag.Entries()) {
    if (!e.ObjectType.empty() && e.Value.IsString()) entries += DecodeTree(e.Value.StringValue());
  }
  return entries;
}

void BM_ThemeDecode(benchmark::State& state) {
  const WString contents = ThemeContents();
  size_t entries = 0;
  for (auto _ : state) {
    entries = DecodeTree(contents);
    benchmark::DoNotOptimize(entries);
  }
  state.counters["entries"] = static_cast<double>(entries);
  SetBytes(state, contents.size());
}

// The tree held as decoded bags at every level; encoding takes every bag's
// Contents, objects first, then sections, then the top, as saving does.
struct Tree {
  PropertyBagX bag;
  std::vector<std::pair<size_t, Tree>> children;  // entry index, nested tree
};

void BuildTree(const WString& contents, Tree& tree) {
  tree.bag.Contents(contents);
  const auto& entries = tree.bag.Entries();
  for (size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].ObjectType.empty() && entries[i].Value.IsString()) {
      tree.children.emplace_back(i, Tree{});
      BuildTree(entries[i].Value.StringValue(), tree.children.back().second);
    }
  }
}

void BM_ThemeEncode(benchmark::State& state) {
  const WString contents = ThemeContents();
  Tree tree;
  BuildTree(contents, tree);
  for (auto _ : state) {
    size_t total = 0;
    for (const auto& section : tree.children) {
      for (const auto& object : section.second.children)
        total += object.second.bag.Contents().size();
      total += section.second.bag.Contents().size();
    }
    total += tree.bag.Contents().size();
    benchmark::DoNotOptimize(total);
  }
  SetBytes(state, contents.size());
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
BENCHMARK(BM_ThemeDecode)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThemeEncode)->Unit(benchmark::kMicrosecond);
// The same byte counts as the bags above (printed as their "bytes" counters).
BENCHMARK(BM_Memcpy)
    ->Arg(static_cast<int64_t>(FlatContents(10000).size() * 2))
    ->Arg(static_cast<int64_t>(FlatContents(100000).size() * 2))
    ->Arg(static_cast<int64_t>(ThemeContents().size() * 2));

}  // namespace
}  // namespace rxTheme

BENCHMARK_MAIN();
