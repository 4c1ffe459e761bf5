// A theme's source folder read as the package that `pack` would write from
// it (theme_source.h), without writing one: the header and the style sheets
// are made in memory, the pictures are read from their files while the
// loader reads the package. Loading a folder so gives, byte for byte, what
// loading its packed package gives.
//
// The loader opens its package through the current Env; FolderPackageEnv
// answers that open for the paths it serves with a folder's package and
// passes everything else on to the Env it wraps. Commands install it for the
// time of a load (load, save, preview), and the picker window program for
// its whole run, so that a themes folder may hold source folders beside
// installed themes.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <rxtheme/runtime/wstring.h>
#include "authoring/theme_source.h"
#include "platform/env.h"

namespace rxTheme::cli {

// A source folder ready to be read as a package: listed, its sheets read
// with CR LF line ends, its version line known (and its header checked).
struct FolderPackage {
  ThemeSource source;
  std::string version;
};

// Lists the source folder at `dir` as pack does (ListThemeSource), named in
// findings as given; raises 76 naming it when it does not exist. `output`
// is the absolute path of the package being written, or empty.
ThemeSource ListSourceFolder(const std::string& dir, const WString& output);

// Lists and reads the folder as pack does, and refuses (error 5, naming the
// folder) what pack could not write: a version or a piece name that cannot
// go into the header, a header beyond the first 4096 bytes. Raises 76 for a
// folder that does not exist.
FolderPackage ReadFolderPackage(const std::string& dir);

// What pack cannot write, raised as error 5 naming the folder: a version
// with a line break, a piece name with "," or a line break, a header beyond
// the first 4096 bytes (FormatPackageHeader, with the sizes listed now).
void CheckPackable(const ThemeSource& source, const std::string& version);

// The package of `folder` as a file the loader reads. A picture is read
// from its file when the loader reaches it; one whose size changed since the
// folder was listed raises 75 naming it.
std::unique_ptr<ReadableFile> OpenFolderPackage(FolderPackage folder);

// Whether a folder holds a style sheet (a "*.css" piece): what makes a
// folder a theme's source folder rather than any folder.
bool HoldsStyleSheet(const WString& folder);

class FolderPackageEnv : public Env {
 public:
  explicit FolderPackageEnv(Env& base) : base_(base) {}

  // Opening `package` for a load reads `folder` as its package, freshly at
  // each open.
  void Serve(const WString& package, const WString& folder);
  // As Serve, with the folder already read (used by the first open only;
  // later opens read it again).
  void Serve(const WString& package, FolderPackage ready);

  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override;
  void WriteFile(const WString& path, std::string_view bytes) override {
    base_.WriteFile(path, bytes);
  }
  std::unique_ptr<WritableFile> NewWritableFile(const WString& path, LinkPolicy policy,
                                                Durability durability) override {
    return base_.NewWritableFile(path, policy, durability);
  }
  std::string ReadFile(const WString& path) override { return base_.ReadFile(path); }
  std::unique_ptr<ReadableFile> OpenForRead(const WString& path) override {
    return base_.OpenForRead(path);
  }
  WString CurrentDirectory() override { return base_.CurrentDirectory(); }
  void SetCurrentDirectory(const WString& path) override { base_.SetCurrentDirectory(path); }
  void CreateDirectory(const WString& path) override { base_.CreateDirectory(path); }
  std::optional<FileIdentity> IdentityOf(const WString& path) override {
    return base_.IdentityOf(path);
  }
  bool FileExists(const WString& path) override { return base_.FileExists(path); }
  bool FolderExists(const WString& path) override { return base_.FolderExists(path); }
  std::vector<WString> ListSubFolders(const WString& path) override {
    return base_.ListSubFolders(path);
  }
  std::vector<FolderEntry> ListFolder(const WString& path) override {
    return base_.ListFolder(path);
  }
  WString BuildPath(const WString& folder, const WString& name) override {
    return base_.BuildPath(folder, name);
  }
  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override {
    return base_.ReadProfileString(file, section, key, default_value, buffer_size);
  }
  void ShowHelp(const WString& file, int command, int32_t data) override {
    base_.ShowHelp(file, command, data);
  }

 private:
  struct Served {
    WString folder;
    std::optional<FolderPackage> ready;
  };
  Env& base_;
  std::map<WString, Served> served_;
};

}  // namespace rxTheme::cli
