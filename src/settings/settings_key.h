// The passkey of the settings objects' internal members (variant selector,
// working folder, theme-value setters). Only the sections can make one, so a
// host holding a settings object cannot reach those members.
#pragma once

namespace rxTheme {

struct SectionShape;

class SettingsKey {
  template <class, const SectionShape&>
  friend class Section;
  friend class CColor;
  friend class CGraph;
  friend class CThemeBase;
  friend struct SettingsTestPeer;
  SettingsKey() = default;
};

}  // namespace rxTheme
