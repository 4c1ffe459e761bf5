// Arbitrary bytes as a themes folder: NUL-separated records "flags name LF
// inf-text", each a sub-folder (with its .inf file when flags bit 0 is set;
// reading it fails when bit 1 is set). The list must hold exactly the folders
// with their .inf file listed before the first failure, titled as the profile
// reader reads them, in a stable sort by title without regard to letter case.
#include <algorithm>
#include <cstdlib>

#include "fuzz_support.h"
#include "picker/theme_list.h"
#include "platform/profile_reader.h"

namespace {

// A MemEnv whose profile reader fails for one file.
struct FailingEnv : rxTheme::MemEnv {
  rxTheme::WString failing;
  rxTheme::WString ReadProfileString(const rxTheme::WString& file, const rxTheme::WString& section,
                                     const rxTheme::WString& key, const rxTheme::WString& fallback,
                                     size_t buffer_size) override {
    if (file == failing) rxTheme::RaiseError(rxTheme::kPathNotFound);
    return MemEnv::ReadProfileString(file, section, key, fallback, buffer_size);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  FailingEnv env;
  ScopedEnv scope(env);
  env.AddFolder(u"/themes");
  std::vector<WString> order;          // folders in listing (creation) order
  std::vector<std::string_view> infs;  // their .inf text, when they have one
  std::vector<bool> has_inf;
  for (std::string_view record : fuzz::Split(fuzz::Bytes(data, size), '\0', 64)) {
    if (record.empty()) continue;
    const uint8_t flags = static_cast<uint8_t>(record[0]);
    const auto fields = fuzz::Split(record.substr(1), '\n', 2);
    const WString name = Widen(fields[0]);
    if (name.empty() || name == u"." || name == u".." || name.find(u'/') != WString::npos ||
        std::find(order.begin(), order.end(), name) != order.end()) {
      continue;
    }
    const WString folder = u"/themes/" + name;
    env.AddFolder(folder);
    order.push_back(name);
    has_inf.push_back(flags & 1);
    infs.push_back(fields.size() > 1 ? fields[1] : std::string_view());
    if (flags & 1) env.AddFile(folder + u"/" + name + u".inf", std::string(infs.back()));
    if ((flags & 3) == 3 && env.failing.empty()) env.failing = folder + u"/" + name + u".inf";
  }

  std::vector<std::pair<WString, ThemeEntry>> want;
  for (size_t i = 0; i < order.size(); ++i) {
    const WString folder = u"/themes/" + order[i];
    if (!has_inf[i]) continue;
    if (folder + u"/" + order[i] + u".inf" == env.failing) break;
    WString title = ParseProfileString(infs[i], u"info", u"title", u"", kTitleBufferSize);
    want.push_back({LCase(title), {std::move(title), folder + u"/" + order[i] + u".elm"}});
  }
  std::stable_sort(want.begin(), want.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });

  ThemeList list;
  fuzz::Expecting({env.failing.empty() ? 0 : kPathNotFound},
                  [&] { ListInstalledThemes(u"/themes", list); });
  if (list.size() != want.size()) std::abort();
  for (size_t i = 0; i < want.size(); ++i) {
    const ThemeEntry& got = list[i];
    if (got.text != want[i].second.text || got.tag != want[i].second.tag) std::abort();
    const size_t first = list.FindFirstAdded(got.text);
    if (first > i || list[first].text != got.text) std::abort();
  }
  return 0;
}
