#include "authoring/theme_source.h"

#include <algorithm>

#include <rxtheme/runtime/automation_error.h>
#include "authoring/check_inputs.h"
#include "authoring/check_support.h"
#include "authoring/theme_check.h"
#include "platform/env.h"
#include "theme/package_format.h"

namespace rxTheme {
namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(Widen(text.substr(text.size() - suffix.size())), Widen(suffix));
}

}  // namespace

bool CrLfOnly(std::string_view text) {
  for (size_t at = text.find_first_of("\r\n"); at != std::string_view::npos;
       at = text.find_first_of("\r\n", at + 2)) {
    if (text[at] == '\n' || at + 1 == text.size() || text[at + 1] != '\n') return false;
  }
  return true;
}

std::string CrLfLineEnds(std::string text) {
  if (CrLfOnly(text)) return text;
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

namespace {

// Why a listed entry is not a piece, or null when it is one.
const char* LeftOutKind(const FolderEntry& entry, const WString& path, const std::string& name,
                        const WString& output) {
  switch (entry.kind) {
    case EntryKind::kLink:
      return "symbolic link";
    case EntryKind::kFolder:
      return "folder";
    case EntryKind::kOther:
      return "not a regular file";
    case EntryKind::kRegular:
      break;
  }
  if (!output.empty()) {
    const std::optional<FileIdentity> identity = CurrentEnv().IdentityOf(path);
    if (identity && identity == CurrentEnv().IdentityOf(output)) {
      return "the package being written";
    }
  }
  return StrayKind(name);
}

WString ShownPath(const ThemeSource& source, std::string_view name) {
  WString shown = source.shown;
  if (!shown.empty() && shown.back() != u'/') shown += u'/';
  return shown + DisplayPath(Widen(name));
}

// The information file that the picker looks for once the theme is
// installed in a folder of this folder's name: none at all, or one whose
// name differs only in letter case.
void CheckInfoName(const ThemeSource& source, Findings& findings) {
  const std::string folder = Narrow(LastName(source.folder));
  const std::string wanted = folder + ".inf";
  if (std::find(source.info_files.begin(), source.info_files.end(), wanted) !=
      source.info_files.end()) {
    return;
  }
  if (source.info_files.empty()) {
    findings.Add(0, {source.shown, 0, Severity::kWarning, "no-info",
                     u"no information file: the picker lists a theme only with " +
                         DisplayPath(Widen(wanted)) + u" beside its package, holding its title (" +
                         u"[info] and title=...)"});
    return;
  }
  for (const std::string& name : source.info_files) {
    if (!EqualsNoCase(Widen(name), Widen(wanted))) continue;
    findings.Add(0, {ShownPath(source, name), 0, Severity::kWarning, "info-name",
                     u"the picker looks for " + DisplayPath(Widen(wanted)) +
                         u" (the folder's name, letter case included): rename it"});
  }
}

}  // namespace

ThemeSource ListThemeSource(const WString& folder, const WString& shown, const WString& output) {
  ThemeSource source;
  source.folder = folder;
  source.shown = shown;
  const std::vector<FolderEntry> entries = About(u"theme folder " + DisplayPath(folder),
                                                 [&] { return CurrentEnv().ListFolder(folder); });
  for (const FolderEntry& entry : entries) {
    const std::string name = Narrow(entry.name);
    if (const char* why = LeftOutKind(entry, SourcePath(source, name), name, output)) {
      source.left_out.push_back({name, why});
    } else if (EndsWithNoCase(name, ".inf")) {
      source.info_files.push_back(name);
    } else if (name != "version.txt") {
      source.pieces.push_back({name, entry.size, EndsWithNoCase(name, ".css"), {}});
    }
  }
  auto by_name = [](const auto& a, const auto& b) { return a.name < b.name; };
  std::sort(source.pieces.begin(), source.pieces.end(), by_name);
  std::sort(source.left_out.begin(), source.left_out.end(), by_name);
  std::sort(source.info_files.begin(), source.info_files.end());
  return source;
}

WString SourcePath(const ThemeSource& source, std::string_view name) {
  return CurrentEnv().BuildPath(source.folder, Widen(name));
}

void ReadSheets(ThemeSource& source, bool keep_line_ends) {
  for (SourcePiece& piece : source.pieces) {
    if (!piece.sheet) continue;
    const WString path = SourcePath(source, piece.name);
    std::string bytes = About(DisplayPath(path), [&] { return CurrentEnv().ReadFile(path); });
    piece.text = keep_line_ends ? std::move(bytes) : CrLfLineEnds(std::move(bytes));
    piece.size = static_cast<int64_t>(piece.text.size());
  }
}

std::string VersionText(const ThemeSource& source, const std::optional<std::string>& version) {
  if (version) return *version;
  const WString path = SourcePath(source, "version.txt");
  if (!CurrentEnv().FileExists(path)) return "1.0";
  const std::string text = About(DisplayPath(path), [&] { return CurrentEnv().ReadFile(path); });
  return text.substr(0, text.find_first_of("\r\n"));
}

std::vector<PackagePiece> ListedPieces(const ThemeSource& source) {
  std::vector<PackagePiece> pieces;
  pieces.reserve(source.pieces.size());
  for (const SourcePiece& piece : source.pieces) pieces.push_back({piece.name, piece.size});
  return pieces;
}

void CheckThemeSource(const ThemeSource& source, std::string_view version, Findings& findings) {
  const size_t header = PackageHeaderLength(version, ListedPieces(source));
  for (const LeftOut& file : source.left_out) {
    findings.Add(0, {ShownPath(source, file.name), 0, Severity::kNote, "left-out",
                     u"left out of the package: " + Widen(file.why)});
  }
  for (const std::string& name : source.info_files) {
    CheckInfoFile(SourcePath(source, name), ShownPath(source, name), findings);
  }
  CheckInfoName(source, findings);
  if (header > kPackageChunkSize) {
    findings.Add(
        0, {source.shown, 0, Severity::kError, "header-size",
            u"the package header would take " + Widen(std::to_string(header)) +
                u" bytes; the loader reads it from the first " +
                Widen(std::to_string(kPackageChunkSize)) + u" (fewer pieces, or shorter names)"});
  }
  ThemeToCheck theme{source.shown, false, {}};
  for (const SourcePiece& piece : source.pieces) {
    if (!IsWritablePieceName(piece.name)) {
      findings.Add(0, {ShownPath(source, piece.name), 0, Severity::kError, "bad-piece-name",
                       u"a piece name cannot hold \",\" or a line break: pack refuses it"});
      continue;
    }
    const WString shown = ShownPath(source, piece.name);
    theme.pieces.push_back(
        {Widen(piece.name), shown, shown, 0, {}, piece.sheet ? &piece.text : nullptr});
  }
  CheckTheme(theme, findings);
}

}  // namespace rxTheme
