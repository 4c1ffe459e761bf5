// The passkey of the sections' internal members (item lookup, fan-outs, the
// style-sheet parsers). Only the theme object can make one, and the parse of
// a single sheet for authoring tools (theme/sheet_parse.h).
#pragma once

namespace rxTheme {

class SectionKey {
  friend class CTheme;
  friend struct ToolSheetParser;
  friend struct SectionTestPeer;
  SectionKey() = default;
};

}  // namespace rxTheme
