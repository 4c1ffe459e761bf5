#include <rxtheme/picker/theme_list.h>

#include <algorithm>
#include <utility>

#include "picker/function_library.h"
#include <rxtheme/picker/title_order.h>
#include "platform/env.h"

namespace rxTheme {

void ThemeList::Add(std::vector<ThemeEntry> entries, const TitleOrder& order) {
  // A stable sort keeps the entries that sort level in the order in which
  // they came: the older ones before the new ones, and the new ones as given.
  entries_.reserve(entries_.size() + entries.size());
  for (ThemeEntry& entry : entries) entries_.push_back(std::move(entry));
  if (order) {
    std::stable_sort(
        entries_.begin(), entries_.end(),
        [&](const ThemeEntry& a, const ThemeEntry& b) { return order(a.text, b.text) < 0; });
    return;
  }
  // The titles folded once, not in every comparison.
  std::vector<std::pair<TitleKey, ThemeEntry>> keyed;
  keyed.reserve(entries_.size());
  for (ThemeEntry& entry : entries_) {
    TitleKey key = TitleKeyOf(entry.text);
    keyed.emplace_back(std::move(key), std::move(entry));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  entries_.clear();
  for (auto& [key, entry] : keyed) entries_.push_back(std::move(entry));
}

void ThemeList::Clear() { entries_.clear(); }

size_t ThemeList::FindFirstAdded(const WString& text) const {
  // Equal texts sort level, so they stand together in the order in which
  // they were added: the first one found is the earliest added.
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const ThemeEntry& e) { return e.text == text; });
  return found == entries_.end() ? kNone : static_cast<size_t>(found - entries_.begin());
}

void ListInstalledThemes(const WString& themes_folder, ThemeList& list, const TitleOrder& order) {
  if (!FunctionLibrary::FolderExists(themes_folder)) return;
  std::vector<ThemeEntry> found;
  try {
    for (const WString& name : FunctionLibrary::SubFolderNames(themes_folder)) {
      const WString folder = FunctionLibrary::BuildPath(themes_folder, name);
      const WString info = FunctionLibrary::BuildPath(folder, name + u".inf");
      if (!FunctionLibrary::FileExists(info)) continue;
      WString title =
          CurrentEnv().ReadProfileString(info, u"info", u"title", u"", kTitleBufferSize);
      found.push_back({std::move(title), FunctionLibrary::BuildPath(folder, name + u".elm")});
    }
  } catch (...) {
    list.Add(std::move(found), order);
    throw;
  }
  list.Add(std::move(found), order);
}

}  // namespace rxTheme
