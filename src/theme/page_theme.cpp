#include <rxtheme/theme/page_theme.h>

#include <filesystem>
#include <system_error>
#include <utility>

#include "persist/contents_image.h"
#include <rxtheme/persist/property_bag.h>
#include "platform/env.h"
#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/host_text.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/loader.h>
#include "theme/package_format.h"
#include <rxtheme/theme/theme.h>

namespace rxTheme {

namespace {

constexpr char16_t kThemeKey[] = u"Theme";

// A host's path as the file layer takes it (its bytes, one per unit), made
// absolute against the current directory. An empty path stays empty.
WString HostPath(const std::string& path) {
  if (path.empty()) return {};
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return Widen(error ? path : absolute.string());
}

// A path for a message.
WString Shown(const WString& path) {
  return path.empty() ? WString(u"\"\"") : HostTextForMessage(Narrow(path));
}

[[noreturn]] void RaiseAbout(int32_t number, const WString& path) {
  RaiseError(number, StandardDescription(number) + u": " + Shown(path));
}

// Runs `step`; an automation error it raises gets `path` added to its
// description.
template <class Step>
auto About(const WString& path, Step step) {
  try {
    return step();
  } catch (const AutomationError& error) {
    RaiseError(error.Number(), error.Description() + u": " + Shown(path), error.Source());
  }
}

// The package, checked: a regular file (53) whose start is a package header
// that Load accepts (5, or what the header raises).
void CheckPackage(Env& env, const WString& package) {
  if (!env.FileExists(package)) RaiseAbout(kFileNotFound, package);
  About(package, [&] {
    std::string start(kPackageChunkSize, '\0');
    auto file = env.OpenForLoad(package);
    size_t got = 0;
    while (got < start.size()) {
      const size_t n = file->Read(start.data() + got, start.size() - got);
      if (n == 0) break;
      got += n;
    }
    start.resize(got);
    if (!StartsLikePackage(start)) {
      RaiseError(kInvalidProcedureCall, u"The file is not a theme package");
    }
    (void)ParsePackageHeader(start);
  });
}

// The working folder, checked: an existing folder, or one whose parent
// exists so that it can be made (76 otherwise).
void CheckWorkingFolder(Env& env, const WString& folder) {
  if (folder.empty()) RaiseAbout(kPathNotFound, folder);
  if (env.FolderExists(folder)) return;
  WString parent = folder;
  while (parent.size() > 1 && parent.back() == kPathSeparator) parent.pop_back();
  const size_t cut = parent.find_last_of(kPathSeparator);
  parent = cut == WString::npos ? WString() : parent.substr(0, cut == 0 ? 1 : cut);
  if (parent.empty() || !env.FolderExists(parent) || env.FileExists(folder)) {
    RaiseAbout(kPathNotFound, folder);
  }
}

// The settings object of a section for a style name; 5 for an unknown one.
template <class Object>
Object& Found(const std::shared_ptr<Object>& object, std::u16string_view section,
              std::string_view style) {
  if (!object) {
    RaiseError(kInvalidProcedureCall, u"The theme has no " + WString(section) + u" style \"" +
                                          HostTextForMessage(style) + u"\"");
  }
  return *object;
}

// The position of a property among the object's string properties; 5 for an
// unknown name.
template <class Object>
size_t PropertyPosition(std::string_view property) {
  const WString name = HostTextForMessage(property);
  const auto& names = Object::StringPropertyNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (EqualsNoCase(names[i], name)) return i;
  }
  RaiseError(kInvalidProcedureCall, u"No theme value is called \"" + name + u"\"");
}

// Calls `use` with the settings object of `section` and `style`.
template <class Use>
auto WithObject(const PageTheme& page, ThemeSection section, std::string_view style, Use use) {
  switch (section) {
    case ThemeSection::kColor:
      return use(page.Color(style));
    case ThemeSection::kGraph:
      return use(page.Graph(style));
    case ThemeSection::kBase:
      break;
  }
  return use(page.Base(style));
}

}  // namespace

PageTheme::PageTheme() : theme_(std::make_shared<CTheme>()) {}

PageTheme::PageTheme(std::shared_ptr<CTheme> theme) : theme_(std::move(theme)) {}

PageTheme PageTheme::Load(const std::string& package, const std::string& working_folder,
                          int16_t color_index, int16_t graph_index) {
  Env& env = CurrentEnv();
  const WString package_path = HostPath(package);
  const WString folder = HostPath(working_folder);
  if (package_path.empty()) RaiseAbout(kFileNotFound, package_path);
  CheckPackage(env, package_path);
  CheckWorkingFolder(env, folder);

  PageTheme page;
  page.theme_->WorkingFolder(folder);
  About(package_path, [&] {
    ThemeLoader::Load(*page.theme_, package_path, nullptr, PiecePlacement::kWorkingFolderPath);
  });
  // Parsing leaves each settings object at the variant it read last; the
  // indexes set here reach every object, so the getters serve them.
  page.ColorIndex(color_index);
  page.GraphIndex(graph_index);
  return page;
}

std::string PageTheme::Save() const {
  PropertyBagX bag;
  bag.WriteProperty(kThemeKey, Variant::Obj(theme_));
  return ContentsBytes(bag.Contents());
}

PageTheme PageTheme::Restore(std::string_view state) {
  const WString contents = ContentsFromBytes(state);
  CheckContents(contents);
  PropertyBagX bag;
  bag.Contents(contents);
  const Variant value = bag.ReadProperty(kThemeKey);
  std::shared_ptr<CTheme> theme;
  if (value.IsObject()) theme = std::dynamic_pointer_cast<CTheme>(value.ObjectValue());
  if (!theme) {
    RaiseError(kTypeMismatch, u"The saved state holds no theme under the key \"Theme\"");
  }
  PageTheme page(std::move(theme));
  // Each settings object restores its own index; the section's is the one
  // the host reads, so every object is set to it.
  page.ColorIndex(page.ColorIndex());
  page.GraphIndex(page.GraphIndex());
  return page;
}

void PageTheme::SaveFile(const std::string& path) const {
  const WString target = HostPath(path);
  const std::string bytes = Save();
  About(target, [&] {
    auto file =
        CurrentEnv().NewWritableFile(target, LinkPolicy::kRefuseSymlink, Durability::kSynced);
    file->Append(bytes);
    file->Commit();
  });
}

PageTheme PageTheme::RestoreFile(const std::string& path) {
  const WString source = HostPath(path);
  if (source.empty()) RaiseAbout(kFileNotFound, source);
  return About(source, [&] { return Restore(CurrentEnv().ReadFile(source)); });
}

int16_t PageTheme::ColorIndex() const { return theme_->ColorIndex(); }
void PageTheme::ColorIndex(int16_t value) { theme_->ColorIndex(value); }
int16_t PageTheme::GraphIndex() const { return theme_->GraphIndex(); }
void PageTheme::GraphIndex(int16_t value) { theme_->GraphIndex(value); }

std::string PageTheme::Value(ThemeSection section, std::string_view style,
                             std::string_view property) const {
  return WithObject(*this, section, style, [&](auto& object) {
    using Object = std::remove_reference_t<decltype(object)>;
    return ThemeTextToUtf8(object.GetStringProperty(PropertyPosition<Object>(property)));
  });
}

void PageTheme::CustomValue(ThemeSection section, std::string_view style, std::string_view property,
                            std::string_view utf8) {
  const WString value = ThemeTextFromUtf8(utf8);
  WithObject(*this, section, style, [&](auto& object) {
    using Object = std::remove_reference_t<decltype(object)>;
    object.SetStringProperty(PropertyPosition<Object>(property), value);
  });
}

CColorObject& PageTheme::Color(std::string_view style) const {
  return Found(theme_->Color(Widen(style)), u"color", style);
}
CGraphObject& PageTheme::Graph(std::string_view style) const {
  return Found(theme_->Graph(Widen(style)), u"graphics", style);
}
CThemeBaseObject& PageTheme::Base(std::string_view style) const {
  return Found(theme_->Base(Widen(style)), u"base", style);
}

}  // namespace rxTheme
