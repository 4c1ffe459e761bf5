#include "platform/env.h"

namespace rxTheme {

namespace {
Env* g_current_env = nullptr;
}  // namespace

Env& CurrentEnv() { return g_current_env ? *g_current_env : DefaultEnv(); }

void SetCurrentEnv(Env* env) { g_current_env = env; }

WString ParseProfileString(std::string_view text, const WString& section, const WString& key,
                           const WString& default_value, size_t buffer_size) {
  WString result = default_value;
  bool in_section = false;
  bool found = false;
  size_t pos = 0;
  while (pos < text.size() && !found) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(pos, end - pos);
    pos = end + 1;
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    WString line = TrimSpaces(Widen(raw));
    if (line.empty()) continue;
    if (line.front() == u'[') {
      size_t close = line.find(u']');
      if (close != WString::npos) {
        in_section = EqualsNoCase(TrimSpaces(line.substr(1, close - 1)), section);
      }
      continue;
    }
    if (!in_section) continue;
    size_t eq = line.find(u'=');
    if (eq == WString::npos) continue;
    if (EqualsNoCase(TrimSpaces(line.substr(0, eq)), key)) {
      result = TrimSpaces(line.substr(eq + 1));
      found = true;
    }
  }
  size_t limit = buffer_size == 0 ? 0 : buffer_size - 1;
  if (result.size() > limit) result.resize(limit);
  return result;
}

}  // namespace rxTheme
