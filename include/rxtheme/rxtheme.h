// Everything a host needs: PageTheme (the safe way to a page's theme, with
// UTF-8 text), the theme object and its settings objects, the
// property bag that saves and restores a page's theme state, automation
// errors and variants, theme loading and listing, the preview page and the
// picker dialog's interface, the theme checker and the package writer, and
// the library's version.
//
//   #include <rxtheme/rxtheme.h>
//
// Everything is in namespace rxTheme. Only the public API is declared here;
// the library exports nothing else.
#pragma once

#include <rxtheme/export.h>
#include <rxtheme/version.h>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/host_text.h>
#include <rxtheme/runtime/object.h>
#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/runtime/std_font.h>
#include <rxtheme/runtime/variant.h>
#include <rxtheme/runtime/wstring.h>

#include <rxtheme/persist/persistable.h>
#include <rxtheme/persist/property_bag.h>

#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>

#include <rxtheme/theme/loader.h>
#include <rxtheme/theme/package_writer.h>
#include <rxtheme/theme/page_theme.h>
#include <rxtheme/theme/theme.h>
#include <rxtheme/theme/theme_css.h>
#include <rxtheme/theme/theme_values.h>

#include <rxtheme/picker/host_picker.h>
#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/preview.h>
#include <rxtheme/picker/preview_scene.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_list.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/picker/title_order.h>

#include <rxtheme/authoring/check_theme.h>
#include <rxtheme/authoring/findings.h>
