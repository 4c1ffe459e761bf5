#include "picker/theme_list.h"

#include <algorithm>

#include "picker/function_library.h"
#include "platform/env.h"

namespace rxTheme {
namespace {

bool LessNoCase(const WString& a, const WString& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return LCaseUnit(x) < LCaseUnit(y); });
}

}  // namespace

size_t ThemeList::Add(ThemeEntry entry) {
  // After every entry that does not sort behind the new one: equal texts keep
  // the order in which they were added.
  auto at = std::upper_bound(
      entries_.begin(), entries_.end(), entry,
      [](const ThemeEntry& a, const ThemeEntry& b) { return LessNoCase(a.text, b.text); });
  const size_t position = static_cast<size_t>(at - entries_.begin());
  entries_.insert(at, std::move(entry));
  added_order_.insert(added_order_.begin() + static_cast<std::ptrdiff_t>(position), added_count_++);
  return position;
}

void ThemeList::Clear() {
  entries_.clear();
  added_order_.clear();
  added_count_ = 0;
}

size_t ThemeList::FindFirstAdded(const WString& text) const {
  size_t found = kNone;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].text == text && (found == kNone || added_order_[i] < added_order_[found])) {
      found = i;
    }
  }
  return found;
}

void ListInstalledThemes(const WString& themes_folder, ThemeList& list) {
  if (!FunctionLibrary::FolderExists(themes_folder)) return;
  for (const WString& name : FunctionLibrary::SubFolderNames(themes_folder)) {
    const WString folder = FunctionLibrary::BuildPath(themes_folder, name);
    const WString info = FunctionLibrary::BuildPath(folder, name + u".inf");
    if (!FunctionLibrary::FileExists(info)) continue;
    WString title = CurrentEnv().ReadProfileString(info, u"info", u"title", u"", kTitleBufferSize);
    list.Add({std::move(title), FunctionLibrary::BuildPath(folder, name + u".elm")});
  }
}

}  // namespace rxTheme
