// Speed of the graphics section's style-sheet parser on generated sheets of
// about 400 KB and 4 MB, beside a plain line split of the same text (find each
// CR LF, take a view of the line) as the floor. The parser should cost time in
// proportion to the sheet: the 4 MB sheet about ten times the 400 KB one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include <rxtheme/settings/graph_object.h>
#include "sections/graph_section.h"

namespace rxTheme {

// The benchmark's access to the section's internal members.
struct SectionTestPeer {
  static SectionKey Key() { return SectionKey{}; }
};

namespace {

// Rules for the eight style classes in turn, each declaring all 28 graphics
// properties with tab indentation and CR LF line ends, until the sheet holds
// at least `bytes` units.
WString GraphicsSheet(size_t bytes) {
  static constexpr const char16_t* kClasses[] = {u".mstheme",
                                                 u".mstheme-bannertxt",
                                                 u".mstheme-horiz-navtxt",
                                                 u".mstheme-vert-navtxt",
                                                 u".mstheme-navtxthome",
                                                 u".mstheme-navtxtnext",
                                                 u".mstheme-navtxtprev",
                                                 u".mstheme-navtxtup"};
  WString sheet = u"<style>\r\n";
  for (size_t rule = 0; sheet.size() < bytes; ++rule) {
    sheet += kClasses[rule % 8];
    sheet += u"\r\n{\r\n";
    for (const PropertyInfo& property : GraphObjectImpl::Properties()) {
      sheet += u'\t';
      sheet += property.prefix;
      switch (property.reader) {
        case ValueReader::kUrl:
          sheet += u" url(picture-" + Widen(std::to_string(rule % 97)) + u".gif);\r\n";
          break;
        case ValueReader::kColor:
          sheet += u" rgb(12, 34, 56);\r\n";
          break;
        case ValueReader::kValue:
          sheet += u" Verdana, Arial, sans-serif;\r\n";
          break;
      }
    }
    sheet += u"}\r\n";
  }
  return sheet + u"</style>\r\n";
}

void SetBytes(benchmark::State& state, const WString& sheet) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(sheet.size()));
  state.counters["lines"] = static_cast<double>(std::count(sheet.begin(), sheet.end(), u'\n'));
}

void BM_GraphLoadCss(benchmark::State& state) {
  const WString sheet = GraphicsSheet(static_cast<size_t>(state.range(0)));
  CGraph section;
  WString text;
  for (auto _ : state) {
    state.PauseTiming();
    text = sheet;  // LoadCss consumes its text (and keeps its storage)
    state.ResumeTiming();
    section.LoadCss(SectionTestPeer::Key(), u"w", text, 1);
  }
  SetBytes(state, sheet);
}

// The floor: every line found and viewed, nothing else done.
void BM_PlainSplit(benchmark::State& state) {
  const WString sheet = GraphicsSheet(static_cast<size_t>(state.range(0)));
  const std::u16string_view text = sheet;
  for (auto _ : state) {
    size_t total = 0;
    for (size_t pos = 0; pos < text.size();) {
      const size_t end = text.find(u"\r\n", pos);
      const std::u16string_view line =
          text.substr(pos, end == std::u16string_view::npos ? end : end - pos);
      total += line.size();
      pos = end == std::u16string_view::npos ? text.size() : end + 2;
    }
    benchmark::DoNotOptimize(total);
  }
  SetBytes(state, sheet);
}

constexpr int64_t kSmall = 400 * 1024;
constexpr int64_t kLarge = 4 * 1024 * 1024;
BENCHMARK(BM_GraphLoadCss)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainSplit)->Arg(kSmall)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rxTheme

BENCHMARK_MAIN();
