#include "qt_picker_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme.h>
#include "qt_preview.h"

namespace rxTheme {
namespace {

QString ToQString(const WString& text) {
  // Theme text is 8-bit: each unit is the code point of the same value.
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

double ScreenDpi() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInch() : 96.0;
}

// A check box that the user turns only on and off; a grayed state set by the
// program still shows, and a click on it turns the box on.
class OnOffCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
};

// The theme list. An entry is loaded when the user presses the mouse on it or
// moves to it with the keys; Qt also makes the first entry current when the
// focus arrives in a list without a current entry, which is no choice of the
// user's and loads nothing.
class ThemeTree : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;
  bool MovingByKey() const { return moving_by_key_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    QScopedValueRollback<bool> flag(moving_by_key_, true);
    QTreeWidget::keyPressEvent(event);
  }

 private:
  bool moving_by_key_ = false;
};

class QtPickerView : public PickerView {
 public:
  explicit QtPickerView(const QtPickerOptions& options) : options_(options) { Build(); }

  void ShowMessage(const WString& text, const WString& title, MessageIcon icon) override {
    QMessageBox::Icon qt_icon = QMessageBox::Information;
    if (icon == MessageIcon::kCritical) qt_icon = QMessageBox::Critical;
    if (icon == MessageIcon::kExclamation) qt_icon = QMessageBox::Warning;
    QMessageBox box(qt_icon, ToQString(title), ToQString(text), QMessageBox::Ok,
                    dialog_.isVisible() ? &dialog_ : nullptr);
    box.exec();
  }

  void ShowPreview(const PreviewScene& scene) override { preview_->ShowScene(scene); }

  const TextMetrics& PreviewMetrics() const override { return metrics_; }

  void ThemesChanged(const ThemePicker& picker) override {
    updating_ = true;
    list_->clear();
    const ThemeList& themes = picker.Themes();
    for (size_t i = 0; i < themes.size(); ++i) {
      auto* item = new QTreeWidgetItem(list_, {ToQString(themes[i].text)});
      item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
      item->setToolTip(0, ToQString(themes[i].tag));
    }
    if (picker.SelectedTheme() != ThemeList::kNone) {
      list_->setCurrentItem(list_->topLevelItem(static_cast<int>(picker.SelectedTheme())));
    }
    updating_ = false;
  }

  void ControlsChanged(const ThemePicker& picker) override {
    updating_ = true;
    for (const ControlSpec& control : PickerControls()) {
      QWidget* widget = widgets_[static_cast<size_t>(control.id)];
      widget->setEnabled(picker.Enabled(control.id));
      if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        const int state = picker.CheckState(control.id);
        box->setCheckState(state == 1   ? Qt::Checked
                           : state == 2 ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
      }
    }
    updating_ = false;
  }

  TwipsSize ScreenTwips() const override {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    const QSize size = screen->size();
    const double dpi = screen->logicalDotsPerInch();
    return {PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi)};
  }

  TwipsSize DialogTwips() const override {
    // Before the window is shown its frame is not known yet: then the client
    // area stands for the whole.
    const QSize size = dialog_.frameGeometry().size();
    const double dpi = ScreenDpi();
    return {PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi)};
  }

  void RunModal(ThemePicker& picker) override {
    picker_ = &picker;
    ThemesChanged(picker);
    ControlsChanged(picker);
    const double dpi = ScreenDpi();
    dialog_.move(TwipsToPixels(picker.Left(), dpi), TwipsToPixels(picker.Top(), dpi));
    if (options_.on_shown) {
      QTimer::singleShot(0, &dialog_, [this] {
        if (picker_ && dialog_.isVisible()) options_.on_shown(dialog_, *picker_);
      });
    }
    dialog_.exec();
    picker_ = nullptr;
  }

  void EndModal() override { dialog_.done(0); }

 private:
  void Build() {
    const double dpi = ScreenDpi();
    auto px = [dpi](int twips) { return TwipsToPixels(twips, dpi); };
    dialog_.setWindowTitle(ToQString(kPickerCaption));
    dialog_.setObjectName(QStringLiteral("frmMain"));
    dialog_.setFixedSize(px(kPickerClientWidth), px(kPickerClientHeight));
    // The layout is measured for an 8-point dialog font.
    QFont font = dialog_.font();
    font.setPointSizeF(8);
    dialog_.setFont(font);

    for (const ControlSpec& control : PickerControls()) {
      QWidget* parent = control.parent == ControlId::kDialog
                            ? static_cast<QWidget*>(&dialog_)
                            : widgets_[static_cast<size_t>(control.parent)];
      QWidget* widget = Make(control, parent);
      widget->setObjectName(QString::fromUtf16(control.name.data(), control.name.size()));
      int width = px(control.width);
      // A caption wider than its box in this font grows to the right rather
      // than being cut; nothing moves.
      if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kCheckBox) {
        width = std::max(width, widget->sizeHint().width());
      }
      widget->setGeometry(px(control.left), px(control.top), width, px(control.height));
      widgets_[static_cast<size_t>(control.id)] = widget;
    }
    // The check box sits on the frame's top edge as its title.
    widgets_[static_cast<size_t>(ControlId::kChkUseThemeOnPage)]->raise();
    static_cast<QLabel*>(widgets_[static_cast<size_t>(ControlId::kLblAvailable)])->setBuddy(list_);

    std::vector<const ControlSpec*> by_tab;
    for (const ControlSpec& control : PickerControls()) by_tab.push_back(&control);
    std::sort(by_tab.begin(), by_tab.end(), [](const ControlSpec* a, const ControlSpec* b) {
      return a->tab_index < b->tab_index;
    });
    QWidget* previous = nullptr;
    for (const ControlSpec* control : by_tab) {
      QWidget* widget = widgets_[static_cast<size_t>(control->id)];
      if (widget->focusPolicy() == Qt::NoFocus) continue;
      if (previous) QWidget::setTabOrder(previous, widget);
      previous = widget;
    }
  }

  void ClickTheme(QTreeWidgetItem* item) {
    if (updating_ || !picker_ || !item) return;
    picker_->ClickTheme(item->data(0, Qt::UserRole).toULongLong());
  }

  QWidget* Make(const ControlSpec& control, QWidget* parent) {
    const QString caption = QString::fromUtf16(control.caption.data(), control.caption.size());
    switch (control.kind) {
      case ControlKind::kFrame: {
        auto* frame = new QGroupBox(parent);
        // The border starts half-way down the title check box, which is
        // placed over it with an opaque background.
        frame->setStyleSheet(
            QStringLiteral(
                "QGroupBox#frSelect { border: 1px solid palette(mid); border-radius: 2px;"
                " margin-top: %1px; }")
                .arg(TwipsToPixels(255, ScreenDpi()) / 2));
        return frame;
      }
      case ControlKind::kCheckBox: {
        auto* box = new OnOffCheckBox(caption, parent);
        box->setAutoFillBackground(true);
        const ControlId id = control.id;
        QObject::connect(box, &QCheckBox::stateChanged, box, [this, id](int qt_state) {
          if (updating_ || !picker_) return;
          picker_->SetCheckState(id, qt_state == Qt::Checked            ? 1
                                     : qt_state == Qt::PartiallyChecked ? 2
                                                                        : 0);
        });
        return box;
      }
      case ControlKind::kLabel:
        return new QLabel(caption, parent);
      case ControlKind::kThemeList: {
        list_ = new ThemeTree(parent);
        list_->setHeaderHidden(true);
        list_->setRootIsDecorated(false);
        list_->setItemsExpandable(false);
        list_->setIndentation(0);
        list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list_->setSelectionMode(QAbstractItemView::SingleSelection);
        list_->setMouseTracking(true);  // hot tracking
        list_->setStyleSheet(QStringLiteral(
            "QTreeWidget::item:hover { text-decoration: underline; color: palette(link); }"));
        // The selection stays visible when the list loses the focus.
        QPalette palette = list_->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Active, QPalette::Highlight));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Active, QPalette::HighlightedText));
        list_->setPalette(palette);
        QObject::connect(list_, &QTreeWidget::currentItemChanged, list_,
                         [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
                           if (list_->MovingByKey()) ClickTheme(item);
                         });
        QObject::connect(list_, &QTreeWidget::itemPressed, list_,
                         [this](QTreeWidgetItem* item, int) { ClickTheme(item); });
        return list_;
      }
      case ControlKind::kPreview:
        preview_ = new PreviewView(parent);
        return preview_;
      case ControlKind::kButton: {
        auto* button = new QPushButton(caption, parent);
        button->setDefault(control.default_button);
        button->setAutoDefault(control.default_button);
        const ControlId id = control.id;
        QObject::connect(button, &QPushButton::clicked, button, [this, id] {
          if (!picker_) return;
          if (id == ControlId::kCmdOK) picker_->ClickOK();
          if (id == ControlId::kCmdCancel) picker_->ClickCancel();
          if (id == ControlId::kCmdHelp) picker_->ClickHelp();
        });
        return button;
      }
    }
    return new QWidget(parent);
  }

  QtPickerOptions options_;
  QDialog dialog_;
  std::array<QWidget*, kControlCount> widgets_{};
  ThemeTree* list_ = nullptr;
  PreviewView* preview_ = nullptr;
  QtTextMetrics metrics_;
  ThemePicker* picker_ = nullptr;
  bool updating_ = false;
};

void EnsureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "rxtheme";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  (void)app;
}

}  // namespace

int TwipsToPixels(double twips, double dots_per_inch) {
  return static_cast<int>(std::lround(twips * dots_per_inch / 1440.0));
}

double PixelsToTwips(int pixels, double dots_per_inch) { return pixels * 1440.0 / dots_per_inch; }

void InstallQtPickerView(QtPickerOptions options) {
  InstallPickerViewFactory([options]() -> std::unique_ptr<PickerView> {
    EnsureApplication();
    return std::make_unique<QtPickerView>(options);
  });
}

}  // namespace rxTheme
