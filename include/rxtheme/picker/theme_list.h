// The list of installed themes that the picker shows: one entry per theme
// sub-folder that holds its ".inf" file, with the theme's title as the text
// and the path of its ".elm" package as the tag.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

struct ThemeEntry {
  WString text;  // the title from the ".inf" file (at most 79 units)
  WString tag;   // BuildPath(sub-folder path, sub-folder name + ".elm")
};

// How two titles compare: below 0, 0 (level) or above 0. An empty order
// stands for CollateTitles (picker/title_order.h).
using TitleOrder = std::function<int(std::u16string_view, std::u16string_view)>;

// Entries kept sorted by text as a person reads them (or by a given order);
// entries whose texts sort level keep the order in which they were added.
class RXTHEME_API ThemeList {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Adds entries, each after every entry that does not sort behind it (as if
  // they were added one by one), with one sort for them all.
  void Add(std::vector<ThemeEntry> entries, const TitleOrder& order = {});
  void Clear();

  const std::vector<ThemeEntry>& Entries() const { return entries_; }
  size_t size() const { return entries_.size(); }
  const ThemeEntry& operator[](size_t index) const { return entries_[index]; }

  // The position of the earliest added entry whose text equals `text`
  // exactly (letter case included), or kNone.
  size_t FindFirstAdded(const WString& text) const;

 private:
  std::vector<ThemeEntry> entries_;
};

// The size of the buffer that receives a title: titles keep at most 79 units.
inline constexpr size_t kTitleBufferSize = 80;

// Lists the themes installed under `themes_folder` into `list`, sub-folder by
// sub-folder in the file system's order: a sub-folder F is listed when
// F/F.inf exists, with the "title" of its "info" section (empty when absent)
// and the tag F/F.elm (not checked). A missing themes folder lists nothing.
// Errors of the file system pass through; the entries found before are added.
// The entries are sorted by `order` (empty: CollateTitles).
RXTHEME_API void ListInstalledThemes(const WString& themes_folder, ThemeList& list,
                                     const TitleOrder& order = {});

}  // namespace rxTheme
