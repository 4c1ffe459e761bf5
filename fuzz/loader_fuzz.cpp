// Arbitrary bytes as a theme package, loaded into a theme on an in-memory file
// system. The first byte chooses what the working folder holds beforehand
// (nothing, an older picture, a symbolic link). Only the loader's documented
// failures may escape (5 and 6 from the header, 5 and 9 from a sheet, 75 for
// a piece that may not be written), and whatever happens, nothing outside the
// working folder changes, no temporary file stays and the report adds up.
#include <cstdlib>

#include <rxtheme/theme/loader.h>
#include <rxtheme/theme/theme.h>
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace rxTheme;
  if (size == 0) return 0;
  fuzz::Site site;
  MemEnv& env = site.env;
  const WString work = fuzz::Site::kWork;
  if (data[0] & 1) env.AddFile(work + u"/old.gif", "an older picture");
  if (data[0] & 2) env.AddSymlink(work + u"/link.gif");
  const std::string package(fuzz::Bytes(data + 1, size - 1));
  env.AddFile(fuzz::Site::kPackage, package);

  CTheme theme;
  theme.WorkingFolder(work);
  LoadReport report;
  fuzz::Expecting({5, 6, 9, 75}, [&] { ThemeLoader::Load(theme, fuzz::Site::kPackage, &report); });

  const bool outside_kept =
      env.ListSubFolders(u"/") == std::vector<WString>{u"pkg", u"w"} &&
      env.ListFiles(u"/").empty() && env.ListFiles(u"/pkg") == std::vector<WString>{u"t.elm"} &&
      env.FileContents(fuzz::Site::kPackage) == package && env.ListSubFolders(u"/pkg").empty() &&
      env.ListFiles(u"/w") == std::vector<WString>{u"beside.gif"} &&
      env.FileContents(u"/w/beside.gif") == "beside" && env.ListSubFolders(u"/w").size() <= 1;
  if (!outside_kept || report.cut_off > report.pieces) std::abort();
  if (env.FolderExists(work)) {
    for (const WString& name : env.ListFiles(work)) {
      if (name.starts_with(u".rxtheme-")) std::abort();
    }
    if (!env.ListSubFolders(work).empty()) std::abort();
  }
  return 0;
}
