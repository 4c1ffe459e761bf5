// Arbitrary bytes as a themes folder: NUL-separated records "flags name LF
// inf-text", each a sub-folder (with its .inf file when flags bit 0 is set;
// reading it fails when bit 1 is set). The list must hold exactly the folders
// with their .inf file listed before the first failure, titled as the profile
// reader reads them, in a stable sort by title in reading order.
#include <algorithm>
#include <cstdlib>

#include <rxtheme/picker/theme_list.h>
#include "../tests/support/vanishing_env.h"
#include "fuzz_support.h"
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/picker/title_order.h>
#include "platform/profile_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  testing::VanishingEnv env;
  ScopedEnv scope(env);
  env.AddFolder(u"/themes");
  // The expected list: each folder with its .inf file, in listing (creation)
  // order up to a failing one, keyed by its title lower-cased.
  std::vector<WString> names;
  std::vector<std::pair<TitleKey, ThemeEntry>> want;
  bool failed = false;
  for (std::string_view record : fuzz::Split(fuzz::Bytes(data, size), '\0', 64)) {
    if (record.empty()) continue;
    const auto fields = fuzz::Split(record.substr(1), '\n', 2);
    const WString name = Widen(fields[0]);
    if (name.empty() || name == u"." || name == u".." || name.find(u'/') != WString::npos ||
        std::find(names.begin(), names.end(), name) != names.end()) {
      continue;
    }
    names.push_back(name);
    const WString folder = u"/themes/" + name, inf = folder + u"/" + name + u".inf";
    env.AddFolder(folder);
    if (!(record[0] & 1)) continue;
    const std::string text(fields.size() > 1 ? fields[1] : std::string_view());
    env.AddFile(inf, text);
    if ((record[0] & 2) && env.vanishing.empty()) env.vanishing = inf;
    failed = failed || inf == env.vanishing;
    if (failed) continue;
    WString title = ParseProfileString(text, u"info", u"title", u"", kTitleBufferSize);
    want.push_back({TitleKeyOf(title), {std::move(title), folder + u"/" + name + u".elm"}});
  }
  std::stable_sort(want.begin(), want.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  ThemeList list;
  fuzz::Expecting({failed ? kPathNotFound : 0}, [&] { ListInstalledThemes(u"/themes", list); });
  if (list.size() != want.size()) std::abort();
  for (size_t i = 0; i < want.size(); ++i) {
    const ThemeEntry& got = list[i];
    if (got.text != want[i].second.text || got.tag != want[i].second.tag) std::abort();
    const size_t first = list.FindFirstAdded(got.text);
    if (first > i || list[first].text != got.text) std::abort();
  }
  return 0;
}
