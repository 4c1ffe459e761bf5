#include "authoring/theme_check.h"

#include <algorithm>
#include <set>

#include <rxtheme/runtime/automation_error.h>
#include "authoring/check_support.h"
#include "authoring/sheet_check.h"
#include "authoring/sheet_tables.h"
#include "authoring/theme_coverage.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(Widen(text.substr(text.size() - suffix.size())), Widen(suffix));
}

// The sheets that every theme has: variants 0 and 1 of the colors and the
// graphics, and the base sheet.
struct SheetSlot {
  PieceRole role;
  int16_t variant;
};
constexpr SheetSlot kExpectedSheets[] = {{PieceRole::kColorSheet, 0},
                                         {PieceRole::kColorSheet, 1},
                                         {PieceRole::kGraphSheet, 0},
                                         {PieceRole::kGraphSheet, 1},
                                         {PieceRole::kBaseSheet, 0}};

// A warning for each sheet that the theme lacks.
void ReportMissingSheets(const WString& where, const bool (&have)[std::size(kExpectedSheets)],
                         Findings& findings) {
  for (size_t s = 0; s < std::size(kExpectedSheets); ++s) {
    if (have[s]) continue;
    const SheetKind& kind = KindOf(kExpectedSheets[s].role);
    const int16_t v = kExpectedSheets[s].variant;
    findings.Add(0, {where, 0, Severity::kWarning, "missing-sheet",
                     u"no " + Widen(kind.file_names[v]) + u": the " + Widen(kind.variant_names[v]) +
                         u" stay empty"});
  }
}

// The pictures named, against the names of the pieces unpacked as files;
// returns the names used.
std::set<WString> CheckPictures(const PictureUses& pictures, const std::set<WString>& files,
                                Findings& findings) {
  std::set<WString> used = pictures.Found();
  for (const PictureUse& use : pictures.Kept()) {
    const WString name = LCase(use.name);
    if (files.count(name) == 0) {
      std::vector<std::string> names;
      for (const WString& file : files) names.push_back(Narrow(file));
      const std::string near = Nearest(Narrow(name), names);
      findings.Add(use.rank,
                   {use.file, use.line, Severity::kError, "missing-picture",
                    u"url(" + use.name + u") names no piece of the package" +
                        (near.empty() ? WString() : u" (did you mean " + Widen(near) + u"?)")});
      continue;
    }
    used.insert(name);
    if (name != use.name) {
      findings.Add(use.rank,
                   {use.file, use.line, Severity::kWarning, "picture-case",
                    u"pieces are unpacked under lower-cased names, so the page asks for " +
                        Quoted(use.name) + u" but finds " + Quoted(name) +
                        u" only where file names ignore letter case; write " + name});
    }
  }
  return used;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The names of `names` (lower case) that occur in one of `texts`, letter
// case ignored: a name as a word of its own (between spaces, quotes,
// parentheses and the like) in one pass over each text, a name that holds
// such characters by a search of its own.
std::set<std::string> Mentions(const std::vector<std::string_view>& texts,
                               const std::set<std::string>& names) {
  static constexpr std::string_view kBetween = " \t\r\n()'\";:,{}";
  std::set<std::string> found;
  for (const std::string_view text : texts) {
    for (size_t start = 0; start < text.size();) {
      const size_t end = std::min(text.find_first_of(kBetween, start), text.size());
      if (end > start) {
        std::string word = Lower(text.substr(start, end - start));
        if (names.count(word) != 0) found.insert(std::move(word));
      }
      start = end + 1;
    }
    for (const std::string& name : names) {
      if (name.find_first_of(kBetween) == std::string::npos || found.count(name) != 0) continue;
      const auto it = std::search(
          text.begin(), text.end(), name.begin(), name.end(),
          [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
      if (it != text.end()) found.insert(name);
    }
  }
  return found;
}

}  // namespace

const char* StrayKind(std::string_view name) {
  if (name.ends_with('~') || EndsWithNoCase(name, ".bak") || EndsWithNoCase(name, ".swp") ||
      name.starts_with(".#") || (name.size() > 1 && name.front() == '#' && name.back() == '#')) {
    return "editor backup";
  }
  if (name.starts_with('.')) return "hidden file";
  if (EndsWithNoCase(name, ".elm")) return "theme package";
  return nullptr;
}

void CheckTheme(const ThemeToCheck& theme, Findings& findings) {
  // The lower-cased names of the pieces unpacked as files, known before any
  // sheet is read, so that the sheets' uses of them need not be kept.
  std::set<WString> files;
  for (const PieceToCheck& piece : theme.pieces) {
    WString name = LCase(piece.name);
    if (RoleOf(name) == PieceRole::kFile) files.insert(std::move(name));
  }
  PictureUses pictures(&files);
  std::vector<size_t> candidates;  // pieces that a sheet should name
  bool have[std::size(kExpectedSheets)] = {};
  // Every sheet is read to its end, so all the pictures named are known.
  const bool all_read = theme.readable >= theme.pieces.size();
  // The sheets not read to their end, or with mistakes.
  std::vector<std::string_view> unfinished;
  size_t values_set = 0;                  // by all the sheets
  std::vector<SheetValues> sheet_values;  // the sheets judged across the theme
  for (size_t i = 0; i < theme.pieces.size(); ++i) {
    const PieceToCheck& piece = theme.pieces[i];
    const size_t rank = i + 1;
    auto add = [&](Severity severity, const char* code, WString message) {
      findings.Add(rank, {piece.entry_file, piece.line, severity, code, std::move(message)});
    };
    const WString name = LCase(piece.name);
    const PieceRole role = RoleOf(name);
    int16_t variant = 0;
    bool variant_exists = true;
    if (role == PieceRole::kColorSheet || role == PieceRole::kGraphSheet) {
      try {
        variant = VariantOf(name);
        variant_exists = variant == 0 || variant == 1;
      } catch (const AutomationError& e) {
        add(Severity::kError, "bad-variant",
            u"the number before \".css\" in " + Quoted(piece.name) +
                u" is out of range: loading fails with error " + Widen(std::to_string(e.Number())));
        continue;
      }
    }
    for (size_t s = 0; s < std::size(kExpectedSheets); ++s) {
      have[s] |= kExpectedSheets[s].role == role && kExpectedSheets[s].variant == variant;
    }
    if (i >= theme.readable) continue;

    if (!IsPlainPieceName(name)) {
      add(Severity::kError, "bad-piece-name",
          u"the loader refuses the piece name " + Quoted(piece.name) +
              u" (not a file name in the working folder): loading stops there with error 75");
      continue;
    }
    const char* stray = StrayKind(Narrow(piece.name));
    if (theme.package && stray != nullptr) {
      const bool sheet = role != PieceRole::kFile && role != PieceRole::kOtherSheet;
      add(Severity::kWarning, "stray-piece",
          Quoted(piece.name) + u", a " + Widen(stray) + u", is in the package: " +
              (sheet ? u"the loader reads it as a style sheet"
                     : u"it is unpacked with the "
                       u"pictures"));
      // A sheet is read all the same, and may stop the load.
      if (!sheet) continue;
    }
    switch (role) {
      case PieceRole::kFile:
        candidates.push_back(i);
        break;
      case PieceRole::kOtherSheet:
        add(Severity::kWarning, "unread-sheet",
            Quoted(piece.name) +
                u" names neither color, graph nor theme: the style sheet is neither read nor "
                u"unpacked");
        break;
      default:
        const size_t before = findings.Count(Severity::kError) + findings.Count(Severity::kWarning);
        const SheetChecked checked = CheckSheet(
            {role, variant, variant_exists, piece.Sheet(), piece.file, rank}, findings, pictures);
        values_set += checked.values_set;
        // A picture named in a sheet with mistakes may be lost with its rule:
        // that follows from the mistake, and is not reported again.
        const bool mistaken =
            findings.Count(Severity::kError) + findings.Count(Severity::kWarning) > before;
        // Nor are the values that it leaves unset: only a sheet without
        // mistakes is judged across the theme.
        if (!mistaken && checked.read_whole && checked.values_set > 0 && variant_exists) {
          sheet_values.push_back({role, variant, piece.file, rank, checked.set});
        }
        if (!checked.read_whole || mistaken) unfinished.push_back(piece.Sheet());
    }
  }

  ReportMissingSheets(theme.where, have, findings);
  CheckCoverage(sheet_values, findings);
  if (values_set == 0 && all_read) {
    findings.Add(0, {theme.where, 0, Severity::kError, "sets-nothing",
                     u"the theme sets no value: a page that uses it gets only empty values"});
  }
  const std::set<WString> used = CheckPictures(pictures, files, findings);
  // A sheet whose reading stopped at an error may name a picture after that
  // point, and one with mistakes in a rule it loses: any mention of the name
  // in its text counts as naming it.
  std::set<std::string> names;
  for (const size_t i : candidates) names.insert(Narrow(LCase(theme.pieces[i].name)));
  const std::set<std::string> mentions = Mentions(unfinished, names);
  auto mentioned = [&](const WString& name) { return mentions.count(Narrow(name)) != 0; };
  for (const size_t i : all_read ? candidates : std::vector<size_t>()) {
    const PieceToCheck& piece = theme.pieces[i];
    if (used.count(LCase(piece.name)) != 0 || mentioned(LCase(piece.name))) continue;
    findings.Add(i + 1, {piece.entry_file, piece.line, Severity::kWarning, "unused-piece",
                         u"no style sheet names " + Quoted(piece.name) +
                             u": it is unpacked but never shown"});
  }
}

}  // namespace rxTheme
