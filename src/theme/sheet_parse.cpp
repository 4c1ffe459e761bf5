#include "theme/sheet_parse.h"

#include <rxtheme/runtime/automation_error.h>
#include "sections/base_section.h"
#include "sections/color_section.h"
#include "sections/graph_section.h"

namespace rxTheme {

int32_t ToolSheetParser::Parse(PieceRole role, int16_t variant, WString text,
                               ParseObserver& observer) {
  const SectionKey key{};
  const WString folder;
  try {
    switch (role) {
      case PieceRole::kColorSheet:
        CColor().LoadCss(key, folder, text, variant, &observer);
        break;
      case PieceRole::kGraphSheet:
        CGraph().LoadCss(key, folder, text, variant, &observer);
        break;
      case PieceRole::kBaseSheet:
        CThemeBase().LoadCss(key, folder, text, &observer);
        break;
      case PieceRole::kOtherSheet:
      case PieceRole::kFile:
        break;
    }
  } catch (const AutomationError& error) {
    return error.Number();
  }
  return 0;
}

}  // namespace rxTheme
