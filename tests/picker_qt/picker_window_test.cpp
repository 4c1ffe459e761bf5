// The picker window under Qt's offscreen platform: a sample theme is packed
// into a themes folder in the build tree, the dialog is shown through
// SelectTheme, a theme is clicked, an option toggled, and a screenshot saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPixmap>
#include <QPushButton>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../support/theme_package.h"
#include "picker/select_theme.h"
#include "picker/theme_picker.h"
#include "qt_picker_view.h"
#include "theme/theme.h"

namespace rxTheme {
namespace {

namespace fs = std::filesystem;

// Installs the sample theme `name` of the source tree as a package.
void InstallSample(const fs::path& themes, const std::string& name) {
  fs::create_directories(themes / name);
  fs::copy_file(testing::SampleDir(name) / (name + ".inf"), themes / name / (name + ".inf"),
                fs::copy_options::overwrite_existing);
  std::ofstream(themes / name / (name + ".elm"), std::ios::binary) << testing::SamplePackage(name);
}

TEST(PickerWindowTest, ClickingAThemeAndAnOptionUpdatesThePreview) {
  const fs::path root = fs::path(RXTHEME_BINARY_DIR) / "picker_window_test";
  fs::remove_all(root);
  InstallSample(root / "themes", "harbor");
  InstallSample(root / "themes", "meadow");
  fs::create_directories(root / "work");

  auto theme = std::make_shared<CTheme>();
  theme->ThemesFolder(Widen((root / "themes").string()));
  theme->WorkingFolder(Widen((root / "work").string()));

  QString before_theme, after_theme, after_option;
  bool checked = false;
  QtPickerOptions options;
  options.on_shown = [&](QDialog& dialog, ThemePicker& picker) {
    auto* list = dialog.findChild<QTreeWidget*>("tvwThemes");
    auto* preview = dialog.findChild<QTextBrowser*>("docPreview");
    auto* vivid = dialog.findChild<QCheckBox*>("chkVividColors");
    ASSERT_TRUE(list && preview && vivid);
    EXPECT_EQ(dialog.windowTitle(), "Select Theme");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    before_theme = preview->toPlainText();

    list->setCurrentItem(list->topLevelItem(1));  // as a click on the entry
    after_theme = preview->toHtml();
    EXPECT_EQ(ToUtf8(picker.Theme()->CurrentThemeName()),
              list->topLevelItem(1)->text(0).toStdString());

    vivid->click();
    checked = vivid->isChecked();
    after_option = preview->toHtml();
    EXPECT_EQ(picker.Theme()->ColorIndex(), 1);

    const QString shot = QString::fromStdString((root / "picker.png").string());
    EXPECT_TRUE(dialog.grab().save(shot, "PNG"));
    dialog.findChild<QPushButton*>("cmdOK")->click();
  };
  InstallQtPickerView(options);
  EXPECT_EQ(theme->SelectTheme(theme), 1);
  InstallPickerViewFactory(nullptr);

  EXPECT_EQ(before_theme, "No theme selected.");
  EXPECT_TRUE(checked);
  EXPECT_NE(after_theme, before_theme);
  EXPECT_NE(after_option, after_theme);
  EXPECT_TRUE(after_option.contains("Heading 1"));
  EXPECT_TRUE(fs::file_size(root / "picker.png") > 1000);
}

}  // namespace
}  // namespace rxTheme

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
