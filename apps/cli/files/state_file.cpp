#include "files/state_file.h"

#include <rxtheme/persist/property_bag.h>
#include <rxtheme/theme/theme.h>
#include "command_error.h"
#include "files/command_files.h"
#include "persist/contents_codec.h"
#include "platform/env.h"

namespace rxTheme::cli {

namespace {
constexpr char16_t kThemeKey[] = u"Theme";
}  // namespace

std::shared_ptr<CTheme> ReadState(const WString& path) {
  return About(DisplayPath(path), [&] {
    PropertyBagX bag;
    bag.Contents(ContentsFromBytes(CurrentEnv().ReadFile(path)));
    const Variant value = bag.ReadProperty(kThemeKey);
    std::shared_ptr<CTheme> theme;
    if (value.IsObject()) theme = std::dynamic_pointer_cast<CTheme>(value.ObjectValue());
    if (!theme)
      RaiseError(kTypeMismatch, u"The saved state holds no theme under the key \"Theme\"");
    return theme;
  });
}

void WriteState(OutputFile& file, const std::shared_ptr<CTheme>& theme) {
  PropertyBagX bag;
  About(DisplayPath(file.Path()), [&] { bag.WriteProperty(kThemeKey, Variant::Obj(theme)); });
  file.Write(ContentsBytes(bag.Contents()));
}

}  // namespace rxTheme::cli
