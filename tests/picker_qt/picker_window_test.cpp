// The picker window under Qt's offscreen platform: sample themes are packed
// into a themes folder in the build tree, the dialog is shown through
// SelectTheme, the focus enters the list, a theme is clicked, options are
// toggled, the painted preview is inspected and a screenshot saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/theme/theme.h>
#include "../support/theme_package.h"
#include "qt_picker_view.h"

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

// The first column from `left` on, in rows top..top+height of `image`, with
// a pixel that differs from `background`; -1 when there is none.
int FirstInk(const QImage& image, int left, int top, int height, QRgb background) {
  for (int x = left; x < image.width(); ++x) {
    for (int y = top; y < top + height; ++y) {
      if (image.pixel(x, y) != background) return x;
    }
  }
  return -1;
}

// A press and release of the left button on an entry of the list.
void Click(QTreeWidget* list, QTreeWidgetItem* item) {
  const QPoint at = list->visualItemRect(item).center();
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
}

TEST(PickerWindowTest, FocusClicksOptionsAndThePaintedPreview) {
  const fs::path root = fs::path(RXTHEME_BINARY_DIR) / "picker_window_test";
  fs::remove_all(root);
  InstallSample(root / "themes", "harbor");
  InstallSample(root / "themes", "meadow");
  fs::create_directories(root / "work");

  auto theme = std::make_shared<CTheme>();
  theme->ThemesFolder(Widen((root / "themes").string()));
  theme->WorkingFolder(Widen((root / "work").string()));

  QtPickerOptions options;
  options.on_shown = [&](QDialog& dialog, ThemePicker& picker) {
    // Whatever fails below, the dialog closes.
    struct CloseAtEnd {
      QDialog& dialog;
      ~CloseAtEnd() { dialog.reject(); }
    } close{dialog};
    auto* list = dialog.findChild<QTreeWidget*>("tvwThemes");
    auto* preview = dialog.findChild<QScrollArea*>("docPreview");
    auto* vivid = dialog.findChild<QCheckBox*>("chkVividColors");
    auto* background = dialog.findChild<QCheckBox*>("chkBackgroundImage");
    ASSERT_TRUE(list && preview && vivid && background);
    EXPECT_EQ(dialog.windowTitle(), "Select Theme");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    auto pixels = [&] { return preview->viewport()->grab().toImage(); };
    const QImage nothing = pixels();
    ASSERT_EQ(picker.Scene().texts.size(), 1u);
    EXPECT_EQ(picker.Scene().texts[0].text, u"No theme selected.");

    // The focus entering the list makes an entry current but loads nothing.
    dialog.activateWindow();
    QApplication::processEvents();
    list->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"");
    EXPECT_EQ(pixels(), nothing);

    // A key moves to the next entry and loads it; a click on the entry that
    // the focus made current loads it.
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(list, &down);
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"Meadow");
    Click(list, list->topLevelItem(0));
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"Harbor");

    const QImage harbor = pixels();
    EXPECT_NE(harbor, nothing);
    const QString shot = QString::fromStdString((root / "picker.png").string());
    EXPECT_TRUE(dialog.grab().save(shot, "PNG"));

    vivid->click();
    EXPECT_TRUE(vivid->isChecked());
    EXPECT_EQ(picker.Theme()->ColorIndex(), 1);
    const QImage vivid_on = pixels();
    EXPECT_NE(vivid_on, harbor);

    // The background picture is tiled under the page; without it the page
    // shows its plain color, on which the bullets' places can be measured.
    background->click();
    const QImage plain = pixels();
    EXPECT_NE(plain, vivid_on);
    const QRgb page = plain.pixel(preview->viewport()->width() - 1, 0);
    // Each bullet's cell is 42 pixels wide and holds its picture hspace
    // pixels in (11 for the first level's, 15 for the others').
    const int indents[] = {8 + 11, 8 + 42 + 15, 8 + 84 + 15};
    int level = 0;
    for (const ScenePicture& picture : picker.Scene().pictures) {
      if (picture.width != picture.height || picture.width > 20 || level == 3) continue;
      const int ink = FirstInk(plain, 8 + 42 * level, picture.y, picture.height, page);
      EXPECT_GE(ink, indents[level]) << "bullet " << level + 1;
      EXPECT_LE(ink, indents[level] + picture.width / 4) << "bullet " << level + 1;
      ++level;
    }
    EXPECT_EQ(level, 3);
    dialog.findChild<QPushButton*>("cmdOK")->click();
  };
  InstallQtPickerView(options);
  EXPECT_EQ(theme->SelectTheme(theme), 1);
  InstallPickerViewFactory(nullptr);
  EXPECT_TRUE(fs::file_size(root / "picker.png") > 1000);
}

}  // namespace
}  // namespace rxTheme

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
