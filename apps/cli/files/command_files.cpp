#include "files/command_files.h"

#include <filesystem>
#include <system_error>

#include <rxtheme/runtime/automation_error.h>
#include "command_error.h"
#include "theme/package_format.h"

namespace rxTheme::cli {

namespace {

constexpr size_t kHeaderLimit = 4096;  // the whole header lies in the first chunk

}  // namespace

WString Absolute(const std::string& path) {
  if (path.empty()) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) RaiseAbout(kPathNotFound, DisplayPath(Widen(path)));
  return Widen(absolute.string());
}

WString ExistingFile(const std::string& path) {
  const WString absolute = Absolute(path);
  if (absolute.empty()) RaiseAbout(kFileNotFound, u"\"\" (no file named)");
  if (!CurrentEnv().FileExists(absolute)) RaiseAbout(kFileNotFound, DisplayPath(absolute));
  return absolute;
}

WString ExistingPackage(const std::string& path) {
  const WString package = ExistingFile(path);
  std::string start(kHeaderLimit, '\0');
  About(DisplayPath(package), [&] {
    auto file = CurrentEnv().OpenForLoad(package);
    size_t got = 0;
    while (size_t n = file->Read(start.data() + got, start.size() - got)) got += n;
    start.resize(got);
  });
  if (!StartsLikePackage(start)) {
    RaiseAbout(kInvalidProcedureCall, u"not a theme package: " + DisplayPath(package));
  }
  // The header is read here as Load reads it, so that a header Load refuses
  // is refused before the command prepares the working folder.
  About(DisplayPath(package), [&] { (void)ParsePackageHeader(start); });
  return package;
}

WString FolderSubject(std::u16string_view role, const WString& folder) {
  return WString(role) + u" " + (folder.empty() ? WString(u"\"\" (empty)") : DisplayPath(folder));
}

WString ExistingFolder(const std::string& path, std::u16string_view role) {
  const WString absolute = Absolute(path);
  if (!CurrentEnv().FolderExists(absolute))
    RaiseAbout(kPathNotFound, FolderSubject(role, absolute));
  return absolute;
}

WString WorkingFolderForLoad(const std::string& path) {
  const WString folder = Absolute(path);
  const WString subject = FolderSubject(u"working folder", folder);
  Env& env = CurrentEnv();
  if (folder.empty()) RaiseAbout(kPathNotFound, subject);
  try {
    if (!env.FolderExists(folder)) env.CreateDirectory(folder);
    // Entering it is what Load does next; try it here and come back.
    const WString here = env.CurrentDirectory();
    env.SetCurrentDirectory(folder);
    env.SetCurrentDirectory(here);
  } catch (const AutomationError&) {
    RaiseAbout(kPathNotFound, subject);
  }
  return folder;
}

OutputFile::OutputFile(const WString& path) : path_(path) {
  if (path.empty()) RaiseAbout(kPathNotFound, u"\"\" (no output file named)");
  file_ = About(DisplayPath(path), [&] { return CurrentEnv().NewWritableFile(path); });
}

void OutputFile::Write(std::string_view bytes) {
  Append(bytes);
  Commit();
}

void OutputFile::Append(std::string_view bytes) {
  About(DisplayPath(path_), [&] { file_->Append(bytes); });
}

void OutputFile::Commit() {
  About(DisplayPath(path_), [&] { file_->Commit(); });
}

}  // namespace rxTheme::cli
