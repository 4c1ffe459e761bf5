// The passkey of the sections' internal members (item lookup, fan-outs, the
// style-sheet parsers). Only the theme object can make one.
#pragma once

namespace rxTheme {

class SectionKey {
  friend class CTheme;
  friend struct SectionTestPeer;
  SectionKey() = default;
};

}  // namespace rxTheme
