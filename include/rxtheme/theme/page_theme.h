// PageTheme: the theme of one page, for C++ hosts, safe by default.
//
// CTheme behaves exactly as the automation component always has, and
// scripts and the automation server rely on every detail of it: a missing
// package is created empty and loads, a working folder that cannot be made
// is passed over, Load changes the process's current directory, the variant
// indexes may disagree with what the getters serve, restoring damaged state
// keeps what was read before the fault. PageTheme wraps a CTheme and gives a
// host the same theme without those traps:
//
//   - Load checks both paths before anything is written: a package that is
//     not there or not a regular file raises 53, a file that is not a
//     package raises 5, a working folder that cannot be made raises 76, each
//     naming the path. A package whose header Load refuses leaves no folder.
//   - Pictures are written through their full path; the current directory
//     is neither used nor changed.
//   - After Load the variant indexes are the ones asked for, and the getters
//     serve those variants.
//   - Saved state is bytes (or a file) in the layout `rxtheme save` writes:
//     the page's property bag with the theme under "Theme", each 16-bit unit
//     little-endian. Restoring checks the whole state first and refuses
//     damaged or truncated state as a whole (999), or state that holds no
//     theme (13); nothing is restored in part.
//   - Text crosses as UTF-8 by the rule of runtime/host_text.h, and a style
//     name that the theme does not list raises 5 rather than giving a null
//     reference.
//
// Threads: distinct PageTheme objects may be used on different threads at
// once (each loading, reading, saving or restoring its own page). One object
// is not to be used by two threads at once. Still process-wide: the file
// layer that SetCurrentEnv installs (set it before starting threads, if at
// all), the help file of the picker, and the picker dialog itself.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <rxtheme/export.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme_values.h>

namespace rxTheme {

class CTheme;
class CColorObject;
class CGraphObject;
class CThemeBaseObject;

// The three kinds of settings a theme holds, as `rxtheme load --json`
// groups them: ThemeSection::kColor, kGraph and kBase.
using ThemeSection = ValueSection;

class RXTHEME_API PageTheme {
 public:
  // A page with no theme loaded: empty values, variants 0, the theme's values
  // in use.
  PageTheme();

  // Loads `package` into `working_folder` (created when missing; its parent
  // must exist) with the given variants (0 normal, 1 vivid colors / active
  // graphics). Paths are the host's (UTF-8 on POSIX); relative ones are
  // taken from the current directory once, here.
  static PageTheme Load(const std::string& package, const std::string& working_folder,
                        int16_t color_index = 0, int16_t graph_index = 0);

  // The page's state as bytes, and the page restored from them.
  std::string Save() const;
  static PageTheme Restore(std::string_view state);
  // The same through a file. SaveFile replaces `path` only once the new state
  // is complete and on the disk.
  void SaveFile(const std::string& path) const;
  static PageTheme RestoreFile(const std::string& path);

  // The variants that the getters serve.
  int16_t ColorIndex() const;
  void ColorIndex(int16_t value);
  int16_t GraphIndex() const;
  void GraphIndex(int16_t value);

  // A value as the page gets it (custom values and switches obeyed), in
  // UTF-8: section, style name ("body", "h1", "navtxthome"...) and property
  // name ("BackgroundColor", "NavButtonHomeNormal"...), in any letter case.
  // An unknown style or property raises 5.
  std::string Value(ThemeSection section, std::string_view style, std::string_view property) const;
  // Sets the page's own (custom) value, which a page shows while
  // UseCustomSettings is true.
  void CustomValue(ThemeSection section, std::string_view style, std::string_view property,
                   std::string_view utf8);

  // The settings objects themselves, for the typed getters; an unknown style
  // raises 5.
  CColorObject& Color(std::string_view style) const;
  CGraphObject& Graph(std::string_view style) const;
  CThemeBaseObject& Base(std::string_view style) const;

  // The exact component object underneath, for everything else (switches,
  // folders, the picker, persistence through a host's own bag).
  CTheme& Theme() { return *theme_; }
  const CTheme& Theme() const { return *theme_; }
  std::shared_ptr<CTheme> SharedTheme() const { return theme_; }

 private:
  explicit PageTheme(std::shared_ptr<CTheme> theme);
  std::shared_ptr<CTheme> theme_;
};

}  // namespace rxTheme
