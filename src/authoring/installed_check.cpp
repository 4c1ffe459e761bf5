// CheckInfoFile and CheckInstalledTheme (check_inputs.h).
#include <algorithm>
#include <string>
#include <vector>

#include <rxtheme/picker/theme_list.h>
#include "authoring/check_inputs.h"
#include "authoring/check_support.h"
#include "platform/env.h"

namespace rxTheme {
namespace {

// The files of a folder whose names end with `extension`, in name order.
std::vector<std::string> FilesEndingWith(const WString& folder, std::string_view extension) {
  std::vector<std::string> names;
  std::vector<FolderEntry> entries;
  try {
    entries = CurrentEnv().ListFolder(folder);
  } catch (const AutomationError&) {
    // A folder that cannot be listed holds no file that the picker finds.
  }
  for (const FolderEntry& entry : entries) {
    const std::string name = Narrow(entry.name);
    if (name.size() > extension.size() && name.ends_with(extension)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

WString Joined(const WString& folder, std::string_view name) {
  return folder + u"/" + DisplayPath(Widen(name));
}

}  // namespace

void CheckInfoFile(const WString& path, const WString& shown, Findings& findings) {
  // A title is looked for with room for far more than the picker shows, and
  // with a default that no file can hold as a title of its own.
  const WString kAbsent = u"\x01 no title \x01";
  const WString title =
      CurrentEnv().ReadProfileString(path, u"info", u"title", kAbsent, 4 * kTitleBufferSize);
  auto add = [&](const char* code, WString message) {
    findings.Add(0, {shown, 0, Severity::kWarning, code, std::move(message)});
  };
  if (title == kAbsent || title.empty()) {
    add("no-title",
        u"no title: the picker shows the theme with an empty name; write "
        u"\"title=...\" under \"[info]\"");
  } else if (title.size() >= kTitleBufferSize) {
    add("long-title", u"the title has " +
                          Widen(title.size() >= 4 * kTitleBufferSize - 1
                                    ? "more than " + std::to_string(title.size())
                                    : std::to_string(title.size())) +
                          u" characters; the picker shows the first " +
                          Widen(std::to_string(kTitleBufferSize - 1)) + u": " +
                          Quoted(title.substr(0, kTitleBufferSize - 1)));
  }
}

void CheckInstalledTheme(const WString& folder, const WString& shown, Findings& findings) {
  const std::string name = Narrow(LastName(folder));
  auto wrong_names = [&](std::string_view extension, const std::vector<std::string>& found,
                         const char16_t* why) {
    WString message = u"no " + DisplayPath(Widen(name + std::string(extension))) + u": " + why;
    if (!found.empty()) message += u"; the folder holds " + DisplayPath(Widen(found.front()));
    findings.Add(0, {shown, 0, Severity::kError, "theme-names", message});
  };
  const std::vector<std::string> infos = FilesEndingWith(folder, ".inf");
  const std::vector<std::string> packages = FilesEndingWith(folder, ".elm");
  const std::string info = name + ".inf";
  if (std::find(infos.begin(), infos.end(), info) == infos.end()) {
    wrong_names(".inf", infos,
                u"the picker lists a theme folder only when it holds an information file "
                u"named after it");
  }
  for (const std::string& file : infos) {
    CheckInfoFile(folder + u"/" + Widen(file), Joined(shown, file), findings);
  }
  const std::string package = name + ".elm";
  if (std::find(packages.begin(), packages.end(), package) != packages.end()) {
    CheckPackage(folder + u"/" + Widen(package), Joined(shown, package), findings);
    return;
  }
  wrong_names(".elm", packages, u"the picker loads the package named after the folder");
  if (!packages.empty()) {
    CheckPackage(folder + u"/" + Widen(packages.front()), Joined(shown, packages.front()),
                 findings);
  }
}

}  // namespace rxTheme
