// Feeds arbitrary bytes, one unit per byte, to the three style-sheet parsers; the first
// byte picks the variant (0, 1 or out of range). Only the parsers' documented failures
// may escape: 5 (url( without ")") and 9 (a bad variant); anything else crashes the fuzzer.
// An observer hears every parse and checks that each event names a line of the sheet.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>
#include "../tests/support/test_keys.h"
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme {

// Aborts unless every event's line is a part of the sheet, numbered from 1.
struct LineChecker : ParseObserver {
  explicit LineChecker(const WString& sheet) : sheet(sheet) {}
  void OnEvent(const ParseEvent& event) override {
    const bool inside = event.line.data() >= sheet.data() &&
                        event.line.data() + event.line.size() <= sheet.data() + sheet.size();
    if (event.line_number == 0 || (!event.line.empty() && !inside)) std::abort();
  }
  const WString& sheet;
};
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
  const auto guarded = [&](auto parse) {
    WString text = sheet;
    LineChecker observer(text);
    try {
      parse(text, &observer);
    } catch (const AutomationError& error) {
      if (error.Number() != 5 && error.Number() != 9) throw;
    }
  };
  guarded([&](WString& text, ParseObserver* o) { color.LoadCss(key, u"w", text, variant, o); });
  guarded([&](WString& text, ParseObserver* o) { graph.LoadCss(key, u"w", text, variant, o); });
  guarded([&](WString& text, ParseObserver* o) { base.LoadCss(key, u"w", text, o); });

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
