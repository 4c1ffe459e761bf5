// Feeds arbitrary bytes, one unit per byte, to the three style-sheet parsers.
// The first byte picks the variant, so that 0, 1 and out-of-range variants all
// occur. Only the parsers' documented failures may escape: 5 (url( without
// ")") and 9 (a variant other than 0 or 1); anything else crashes the fuzzer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/automation_error.h"
#include "runtime/wstring.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme {

struct SectionTestPeer {
  static SectionKey Key() { return SectionKey{}; }
};

namespace {

template <class Parse>
void Guarded(Parse parse) {
  try {
    parse();
  } catch (const AutomationError& error) {
    if (error.Number() != 5 && error.Number() != 9) throw;
  }
}

}  // namespace
}  // namespace rxTheme

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  if (size == 0) return 0;
  const int16_t variant = static_cast<int16_t>(static_cast<int8_t>(data[0]) % 3);
  const WString sheet = Widen(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  const SectionKey key = SectionTestPeer::Key();

  CColor color;
  CGraph graph;
  CThemeBase base;
  WString text = sheet;
  Guarded([&] { color.LoadCss(key, u"w", text, variant); });
  text = sheet;
  Guarded([&] { graph.LoadCss(key, u"w", text, variant); });
  text = sheet;
  Guarded([&] { base.LoadCss(key, u"w", text); });

  // Every slot stays usable and readable after whatever the text did.
  color.UseThemeSettings(key, true);
  graph.UseThemeSettings(key, true);
  graph.IncludePath(key, true);
  base.IncludePath(key, true);
  color.Index(key, 0);
  graph.Index(key, 1);
  for (const WString& style : CColor::StyleNames()) (void)color.Item(key, style)->Color();
  for (const WString& style : CGraph::StyleNames()) (void)graph.Item(key, style)->SeparatorImage();
  for (const WString& style : CThemeBase::StyleNames())
    (void)base.Item(key, style)->BackgroundImage();
  return 0;
}
