#include "theme_source.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <rxtheme/runtime/automation_error.h>
#include "check_inputs.h"
#include "command_error.h"
#include "command_files.h"
#include "input_file.h"
#include "theme/package_format.h"
#include "theme_check.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         EqualsNoCase(Widen(text.substr(text.size() - suffix.size())), Widen(suffix));
}

}  // namespace

std::string CrLfLineEnds(const std::string& text) {
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
const char* LeftOutKind(const fs::directory_entry& entry, const std::string& name,
                        const WString& output) {
  std::error_code error;
  const fs::file_status status = entry.symlink_status(error);
  if (error) return "unreadable";
  if (fs::is_symlink(status)) return "symbolic link";
  if (fs::is_directory(status)) return "folder";
  if (!fs::is_regular_file(status)) return "not a regular file";
  if (!output.empty() && fs::equivalent(entry.path(), fs::path(Narrow(output)), error)) {
    return "the package being written";
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
  const std::string folder = fs::path(Narrow(source.folder)).filename().string();
  const std::string wanted = folder + ".inf";
  if (std::find(source.info_files.begin(), source.info_files.end(), wanted) !=
      source.info_files.end()) {
    return;
  }
  if (source.info_files.empty()) {
    findings.Add(0, {source.shown, 0, Severity::kWarning, "no-info",
                     u"no information file: the picker lists a theme only with " + DisplayPath(Widen(wanted)) +
                         u" beside its package, holding its title (" + u"[info] and title=...)"});
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

ThemeSource ListThemeSource(const std::string& dir, const WString& output) {
  ThemeSource source;
  source.folder = ExistingFolder(dir, u"theme folder");
  std::string shown = dir;
  while (shown.size() > 1 && shown.back() == '/') shown.pop_back();
  source.shown = DisplayPath(Widen(shown));
  About(FolderSubject(u"theme folder", source.folder), [&] {
    std::error_code error;
    for (fs::directory_iterator it(fs::path(Narrow(source.folder)), error), end;
         !error && it != end; it.increment(error)) {
      const std::string name = it->path().filename().string();
      if (const char* why = LeftOutKind(*it, name, output)) {
        source.left_out.push_back({name, why});
      } else if (EndsWithNoCase(name, ".inf")) {
        source.info_files.push_back(name);
      } else if (name != "version.txt") {
        std::error_code no_size;
        const auto size = static_cast<int64_t>(it->file_size(no_size));
        source.pieces.push_back({name, size, EndsWithNoCase(name, ".css"), {}});
      }
    }
    if (error) RaiseError(kPathFileAccessError);
  });
  auto by_name = [](const auto& a, const auto& b) { return a.name < b.name; };
  std::sort(source.pieces.begin(), source.pieces.end(), by_name);
  std::sort(source.left_out.begin(), source.left_out.end(), by_name);
  std::sort(source.info_files.begin(), source.info_files.end());
  return source;
}

WString SourcePath(const ThemeSource& source, std::string_view name) {
  return Widen((fs::path(Narrow(source.folder)) / name).string());
}

void ReadSheets(ThemeSource& source, bool keep_line_ends) {
  for (SourcePiece& piece : source.pieces) {
    if (!piece.sheet) continue;
    InputFile file(SourcePath(source, piece.name), false);
    if (keep_line_ends) {
      piece.text = file.Read(static_cast<size_t>(file.Size()));
    } else {
      // Converted block by block, so that the sheet is held only once: a
      // first pass counts the line ends that grow.
      std::string block(1 << 16, '\0');
      size_t size = 0;
      bool cr = false;  // the last block ended with a CR
      for (size_t n; (n = file.Read(block.data(), block.size())) > 0;) {
        for (size_t i = 0; i < n; ++i) {
          const bool lf_of_crlf = block[i] == '\n' && (i > 0 ? block[i - 1] == '\r' : cr);
          size += (block[i] == '\r' || (block[i] == '\n' && !lf_of_crlf)) ? 2 : lf_of_crlf ? 0 : 1;
        }
        cr = block[n - 1] == '\r';
      }
      file.Seek(0);
      piece.text.clear();
      piece.text.reserve(size);
      cr = false;
      for (size_t n; (n = file.Read(block.data(), block.size())) > 0;) {
        size_t i = 0;
        if (cr && block[0] == '\n') i = 1;  // the LF of a CR LF already written
        cr = block[n - 1] == '\r';
        piece.text += CrLfLineEnds(std::string(block.data() + i, n - i));
      }
    }
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

std::string HeaderText(const ThemeSource& source, std::string_view version) {
  std::string header = std::string(version) + "\n" + std::to_string(source.pieces.size()) + "\n";
  for (const SourcePiece& piece : source.pieces) {
    header += piece.name + "," + std::to_string(piece.size) + "\n";
  }
  return header;
}

bool PackableName(std::string_view name) {
  return name.find_first_of(",\r\n") == std::string_view::npos;
}

void CheckThemeSource(const ThemeSource& source, std::string_view header, Findings& findings) {
  for (const LeftOut& file : source.left_out) {
    findings.Add(0, {ShownPath(source, file.name), 0, Severity::kNote, "left-out",
                     u"left out of the package: " + Widen(file.why)});
  }
  for (const std::string& name : source.info_files) {
    CheckInfoFile(SourcePath(source, name), ShownPath(source, name), findings);
  }
  CheckInfoName(source, findings);
  if (header.size() > kPackageChunkSize) {
    findings.Add(
        0, {source.shown, 0, Severity::kError, "header-size",
            u"the package header would take " + Widen(std::to_string(header.size())) +
                u" bytes; the loader reads it from the first " +
                Widen(std::to_string(kPackageChunkSize)) + u" (fewer pieces, or shorter names)"});
  }
  ThemeToCheck theme{source.shown, false, {}};
  for (const SourcePiece& piece : source.pieces) {
    if (!PackableName(piece.name)) {
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

}  // namespace rxTheme::cli
