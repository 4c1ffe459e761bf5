// Passkeys for tests: the settings objects' and sections' internal members are
// reachable only through these peers.
#pragma once

#include "sections/section_key.h"
#include "settings/settings_key.h"

namespace rxTheme {

struct SettingsTestPeer {
  static SettingsKey Key() { return SettingsKey{}; }
};

struct SectionTestPeer {
  static SectionKey Key() { return SectionKey{}; }
};

}  // namespace rxTheme
