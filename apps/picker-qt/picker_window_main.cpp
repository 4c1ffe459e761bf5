// rxtheme-picker: the theme picker window of `rxtheme pick`, a program of its
// own so that only it loads Qt. It takes pick's options, checks them the same
// way, shows the dialog (SelectTheme) and prints its result code and the
// chosen theme; after OK it saves the page state. A sub-folder of the themes
// folder that holds a theme's source files and no package is loaded as its
// package would be (folder_package.h).
#include <QBuffer>
#include <QByteArray>
#include <QDialog>
#include <QPixmap>
#include <QtGlobal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <rxtheme/picker/theme_list.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/theme/theme.h>
#include "command_error.h"
#include "commands/command_line.h"
#include "commands/pick_options.h"
#include "files/command_files.h"
#include "files/folder_package.h"
#include "files/state_file.h"
#include "files/theme_folders.h"
#include "print/printable.h"
#include "qt_picker_view.h"

namespace rxTheme::cli {
namespace {

// Qt's messages until the dialog is on screen are held back: if Qt cannot
// start (no display it can reach), it ends the process with a fatal message
// after several lines of warnings; we print one line instead. Once the dialog
// shows, held and later messages go to standard error as Qt would print them.
struct QtMessages {
  static inline bool shown = false;
  static inline std::vector<std::string> held;
  static inline QtMessageHandler previous = nullptr;

  static void Handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const std::string line = text.toStdString();
    if (type == QtFatalMsg) {
      std::string reason = line.substr(0, line.find('\n'));
      for (const std::string& h : held) {
        if (h.find("display") != std::string::npos) reason = h;
      }
      std::cerr << "rxtheme: error 429: Can't create object: picker window: "
                << Printable(FromUtf8(reason)) << "\n";
      std::_Exit(1);
    }
    if (shown) {
      if (previous) previous(type, context, text);
    } else if (type != QtDebugMsg && type != QtInfoMsg) {
      held.push_back(line);
    }
  }

  static void Shown() {
    if (shown) return;
    shown = true;
    for (const std::string& h : held) std::cerr << h << "\n";
    held.clear();
  }
};

void RunPickWindow(const PickOptions& o) {
  const PickPlan plan = CheckPick(o);
  // A source folder in the themes folder is loaded as its package would be.
  FolderPackageEnv folders(CurrentEnv());
  About(FolderSubject(u"themes folder", plan.themes_folder), [&] {
    for (const ThemeFolder& f : ThemeFolders(plan.themes_folder)) {
      if (f.role == FolderRole::kSource) folders.Serve(f.package, f.path);
    }
  });
  ScopedEnv scope(folders);
  auto theme = plan.state_exists ? ReadState(plan.state) : std::make_shared<CTheme>();
  // Made now, so that a file that cannot be written fails before the window.
  std::optional<OutputFile> state_file, screenshot_file;
  if (!plan.state.empty()) state_file.emplace(plan.state);
  if (!plan.screenshot.empty()) screenshot_file.emplace(plan.screenshot);
  theme->ThemesFolder(plan.themes_folder);
  theme->WorkingFolder(plan.working_folder);
  if (!plan.help_file.empty()) theme->HelpFile(plan.help_file);

  // Failures inside the dialog's event loop are kept and raised after it.
  std::optional<AutomationError> failure;
  QtPickerOptions qt;
  qt.on_shown = [&](QDialog& dialog, ThemePicker& picker) {
    QtMessages::Shown();
    try {
      if (!plan.theme_title.empty()) {
        const size_t index = picker.Themes().FindFirstAdded(plan.theme_title);
        if (index == ThemeList::kNone) RaiseAbout(kInvalidProcedureCall, u"--theme");
        picker.ClickTheme(index);
      }
      if (screenshot_file) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!dialog.grab().save(&buffer, "PNG")) {
          RaiseAbout(kPathFileAccessError, DisplayPath(plan.screenshot));
        }
        screenshot_file->Write(std::string_view(png.constData(), static_cast<size_t>(png.size())));
        dialog.reject();  // closed through the window: result 0
      }
    } catch (const AutomationError& error) {
      failure = error;
      dialog.reject();
    }
  };
  QtMessages::previous = qInstallMessageHandler(QtMessages::Handle);
  InstallQtPickerView(qt);

  const int32_t result = About(u"picker window", [&] { return theme->SelectTheme(theme); });
  if (failure) throw *failure;
  std::cout << "result: " << result << "\n"
            << "theme: " << Printable(theme->CurrentThemeName()) << "\n";
  if (result == 1 && state_file) WriteState(*state_file, theme);
}

}  // namespace
}  // namespace rxTheme::cli

int main(int argc, char** argv) {
  using namespace rxTheme::cli;
  CLI::App app{"rxtheme-picker: the theme picker window that `rxtheme pick` opens",
               "rxtheme-picker"};
  AddStandardFlags(app);
  PickOptions options;
  AddPickOptions(app, options);
  app.callback([&] { RunPickWindow(options); });
  return RunCommandLine(app, argc, argv);
}
