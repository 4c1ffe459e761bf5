#include "files/theme_fix.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include "authoring/sheet_fix.h"
#include "authoring/theme_check.h"
#include "command_error.h"
#include "print/printable.h"
#include "print/text_diff.h"
#include "theme/package_format.h"

namespace rxTheme::cli {
namespace {

namespace fs = std::filesystem;

std::string ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof()) RaiseError(kPathFileAccessError, Widen(path.string()));
  return bytes.str();
}

// Writes `bytes` whole: into a file beside it, then renamed over it.
void WriteWhole(const fs::path& path, const std::string& bytes) {
  const fs::path temporary = path.string() + ".fixing";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) RaiseError(kPathFileAccessError, Widen(temporary.string()));
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (error) RaiseError(kPathFileAccessError, Widen(path.string()));
}

// NAME.bak, or NAME.N.bak for the first N not taken.
fs::path BackupPath(const fs::path& path) {
  fs::path backup = path.string() + ".bak";
  for (int n = 1; fs::exists(backup); ++n)
    backup = path.string() + "." + std::to_string(n) + ".bak";
  return backup;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool IsSheetRole(PieceRole role) {
  return role == PieceRole::kColorSheet || role == PieceRole::kGraphSheet ||
         role == PieceRole::kBaseSheet;
}

}  // namespace

std::string FixTheme(const WString& path, const WString& shown, bool dry_run) {
  const fs::path target(Narrow(path));
  const bool folder = fs::is_directory(target);
  std::vector<fs::path> files;
  if (folder) {
    for (const auto& entry : fs::directory_iterator(target)) {
      if (entry.is_regular_file() && !entry.is_symlink()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
  } else {
    files.push_back(target);
  }
  const std::string shown_dir = folder ? Printable(shown) + "/" : std::string();
  auto name_of = [&](const fs::path& file) {
    return folder ? shown_dir + file.filename().string() : Printable(shown);
  };

  std::string out;
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    const PieceRole role = RoleOf(LCase(Widen(name)));
    if (!IsSheetRole(role) || StrayKind(name) != nullptr) continue;
    const std::string old_text = ReadWhole(file);
    const FixedSheet fixed = FixSheet(role, old_text);
    if (fixed.text == old_text) continue;
    for (const SheetChange& change : fixed.changes) {
      out += name_of(file) + (change.line ? ":" + std::to_string(change.line) : std::string()) +
             ": fixed: " + Printable(change.what) + "\n";
    }
    if (dry_run) {
      out += UnifiedDiff(name_of(file), name_of(file) + " (fixed)", old_text, fixed.text);
      continue;
    }
    const fs::path backup = BackupPath(file);
    std::error_code error;
    fs::copy_file(file, backup, error);
    if (error) RaiseError(kPathFileAccessError, Widen(backup.string()));
    WriteWhole(file, fixed.text);
    const std::string shown_file = name_of(file);
    out += shown_file + ": written; the sheet as it was is " +
           shown_file.substr(0, shown_file.rfind('/') + 1) + backup.filename().string() + "\n";
  }
  if (!folder) return out;
  // The pictures: unpacked under lower-cased names, which the fixed sheets use.
  for (const fs::path& file : files) {
    const std::string name = file.filename().string();
    const std::string lower = Lower(name);
    if (lower == name || RoleOf(LCase(Widen(name))) != PieceRole::kFile ||
        StrayKind(name) != nullptr || name.ends_with(".inf") || name.ends_with(".INF") ||
        name == "version.txt") {
      continue;
    }
    if (fs::exists(target / lower)) {
      out += name_of(file) + ": not renamed: " + lower + " is there too\n";
      continue;
    }
    out +=
        name_of(file) + ": " + (dry_run ? "would be renamed" : "renamed") + " to " + lower + "\n";
    if (dry_run) continue;
    std::error_code error;
    fs::rename(file, target / lower, error);
    if (error) RaiseError(kPathFileAccessError, Widen((target / lower).string()));
  }
  return out;
}

}  // namespace rxTheme::cli
