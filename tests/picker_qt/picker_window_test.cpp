// The picker window under Qt's offscreen platform: sample themes are packed
// into a themes folder in the build tree, the dialog is shown through
// SelectTheme, the focus enters the list, a theme is clicked, options are
// toggled, the painted preview is inspected and a screenshot saved.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/settings/color_object.h>
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

// A folder with Harbor and Meadow installed, and a theme that lists them.
struct Installed {
  explicit Installed(const std::string& name) : root(fs::path(RXTHEME_BINARY_DIR) / name) {
    fs::remove_all(root);
    InstallSample(root / "themes", "harbor");
    InstallSample(root / "themes", "meadow");
    fs::create_directories(root / "work");
    theme->ThemesFolder(Widen((root / "themes").string()));
    theme->WorkingFolder(Widen((root / "work").string()));
  }
  // SelectTheme's result with `drive` working the dialog once it is shown;
  // whatever `drive` leaves open is closed.
  int Run(const std::function<void(QDialog&, ThemePicker&)>& drive) {
    QtPickerOptions options;
    options.on_shown = [&](QDialog& dialog, ThemePicker& picker) {
      dialog.activateWindow();
      QApplication::processEvents();
      drive(dialog, picker);
      if (dialog.isVisible()) dialog.reject();
    };
    InstallQtPickerView(options);
    const int result = theme->SelectTheme(theme);
    InstallPickerViewFactory(nullptr);
    return result;
  }
  fs::path root;
  std::shared_ptr<CTheme> theme = std::make_shared<CTheme>();
};

TEST(PickerWindowTest, FocusClicksOptionsAndThePaintedPreview) {
  Installed site("picker_window_test");
  const int result = site.Run([&](QDialog& dialog, ThemePicker& picker) {
    auto* list = dialog.findChild<QTreeWidget*>("tvwThemes");
    auto* preview = dialog.findChild<QScrollArea*>("docPreview");
    auto* vivid = dialog.findChild<QCheckBox*>("chkVividColors");
    auto* background = dialog.findChild<QCheckBox*>("chkBackgroundImage");
    ASSERT_TRUE(list && preview && vivid && background);
    EXPECT_EQ(dialog.windowTitle(), "Select Theme");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    auto pixels = [&] { return preview->viewport()->grab().toImage(); };
    const QImage nothing = pixels();

    // The focus entering the list makes an entry current but loads nothing.
    list->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"");
    EXPECT_EQ(pixels(), nothing);

    // A key moves to the next entry and loads it; a click on the entry that
    // the focus made current loads it.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"Meadow");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->topLevelItem(0)).center());
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"Harbor");

    const QImage harbor = pixels();
    EXPECT_NE(harbor, nothing);
    const QString shot = QString::fromStdString((site.root / "picker.png").string());
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
  });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(fs::file_size(site.root / "picker.png") > 1000);
}

// --- The keyboard, the control table and the colors.

// A key pressed and released on the widget that has the focus.
void Press(Qt::Key key) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_TRUE(focus);
  QTest::keyClick(focus, key);
}

// Tabs until the control named `name` has the focus (at most once around).
bool TabTo(const QString& name) {
  for (int i = 0; i < 16; ++i) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->objectName() == name) return true;
    if (focus) QTest::keyClick(focus, Qt::Key_Tab);
  }
  return false;
}

// Closes the next message box that comes up, keeping its text.
void CloseNextMessageBox(QString& text) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, &text] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->done(0);
      timer->deleteLater();
    }
  });
  timer->start();
}

// The controls at their places at 96 dots per inch, relative to the
// dialog's client area, with their captions; Tab visits them in the table's
// order. Enter on Help opens help (here: says the help file is missing) and
// the dialog stays; Enter on Cancel then ends with 2, Enter in the list with 1.
TEST(PickerWindowTest, ControlTableKeysAndColors) {
  Installed site("picker_window_keys");
  site.theme->HelpFile(Widen((site.root / "nowhere.chm").string()));
  QString message;
  int result = site.Run([&](QDialog& dialog, ThemePicker&) {
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInch(), 96);
    EXPECT_EQ(dialog.size(), QSize(698, 411));
    struct Placed {
      const char* name;
      const char* caption;
      QRect place;
      bool grows;
    } const controls[] = {
        {"frSelect", "", {8, 16, 209, 353}, false},
        {"chkUseThemeOnPage", "This Page &Uses Themes", {16, 16, 137, 17}, true},
        {"lblAvailable", "Available &Themes :", {16, 48, 90, 13}, true},
        {"tvwThemes", "", {16, 64, 193, 209}, false},
        {"chkVividColors", "&Vivid Colors", {16, 288, 189, 13}, true},
        {"chkActiveGraphics", "Active &Graphics", {16, 306, 189, 13}, true},
        {"chkBackgroundImage", "&Background Image", {16, 322, 189, 17}, true},
        {"chkUseCustom", "Use &Custom Settings", {16, 340, 193, 17}, true},
        {"Label2", "Theme Preview :", {224, 16, 80, 13}, true},
        {"docPreview", "", {226, 38, 465, 331}, false},
        {"cmdOK", "OK", {456, 376, 73, 25}, false},
        {"cmdCancel", "Cancel", {536, 376, 73, 25}, false},
        {"cmdHelp", "Help", {616, 376, 73, 25}, false},
    };
    for (const Placed& c : controls) {
      SCOPED_TRACE(c.name);
      auto* widget = dialog.findChild<QWidget*>(c.name);
      ASSERT_TRUE(widget);
      const QRect place(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
      EXPECT_EQ(place.topLeft(), c.place.topLeft());
      EXPECT_EQ(place.height(), c.place.height());
      if (c.grows) {
        EXPECT_GE(place.width(), c.place.width());
      } else {
        EXPECT_EQ(place.width(), c.place.width());
      }
      QString caption;
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) caption = button->text();
      if (auto* label = qobject_cast<QLabel*>(widget)) caption = label->text();
      EXPECT_EQ(caption, QString::fromUtf8(c.caption));
    }

    QStringList visited = {QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 10; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited,
              QStringList({"chkUseThemeOnPage", "tvwThemes", "chkVividColors", "chkActiveGraphics",
                           "chkBackgroundImage", "chkUseCustom", "cmdOK", "cmdCancel", "cmdHelp",
                           "docPreview", "chkUseThemeOnPage"}));

    ASSERT_TRUE(TabTo("cmdHelp"));
    CloseNextMessageBox(message);
    Press(Qt::Key_Enter);
    EXPECT_TRUE(message.endsWith("to install the help files.")) << message.toStdString();
    EXPECT_TRUE(dialog.isVisible());
    // The window system gives the dialog back its activation (the offscreen
    // platform has none), and with it the focus to Help.
    dialog.activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), dialog.findChild<QWidget*>("cmdHelp"));
    ASSERT_TRUE(TabTo("cmdCancel"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("cmdCancel")->isDefault());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("cmdOK")->isDefault());
    Press(Qt::Key_Return);
  });
  EXPECT_EQ(result, 2);

  // A custom body color by name paints red once Space turns custom settings
  // on; a right-button press on an entry loads nothing; Escape ends with 0.
  Installed harbor("picker_window_color");
  harbor.theme->CurrentThemeName(u"Harbor");
  harbor.theme->Color(u"body")->BackgroundColor(u"red");
  result = harbor.Run([](QDialog& dialog, ThemePicker& picker) {
    auto* preview = dialog.findChild<QScrollArea*>("docPreview");
    auto* list = dialog.findChild<QTreeWidget*>("tvwThemes");
    ASSERT_TRUE(preview && list);
    auto margin = [&] {
      const QImage image = preview->viewport()->grab().toImage();
      return image.pixel(image.width() - 3, 3) & 0xFFFFFF;
    };
    EXPECT_NE(margin(), 0xFF0000u);
    ASSERT_TRUE(TabTo("chkUseCustom"));
    Press(Qt::Key_Space);
    EXPECT_EQ(picker.CheckState(ControlId::kChkUseCustom), 1);
    EXPECT_EQ(margin(), 0xFF0000u);

    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualItemRect(list->topLevelItem(1)).center());
    EXPECT_EQ(picker.Theme()->CurrentThemeName(), u"Harbor");
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    Press(Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
  });
  EXPECT_EQ(result, 0);

  result = site.Run([](QDialog& dialog, ThemePicker&) {
    ASSERT_TRUE(TabTo("tvwThemes"));
    EXPECT_TRUE(dialog.findChild<QPushButton*>("cmdOK")->isDefault());
    Press(Qt::Key_Return);
  });
  EXPECT_EQ(result, 1);
}

}  // namespace
}  // namespace rxTheme

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
