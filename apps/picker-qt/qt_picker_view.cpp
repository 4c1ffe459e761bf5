#include "qt_picker_view.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/theme/theme.h>
#include "picker/dialog_layout.h"
#include <rxtheme/picker/picker_view.h>
#include <rxtheme/picker/select_theme.h>
#include <rxtheme/picker/theme_picker.h>
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

// The theme list. A press of a mouse button on an entry goes to the picker
// (only the left button selects it); an entry is loaded too when the user
// moves to it with the keys. Qt also makes the first entry current when the
// focus arrives in a list without a current entry, which is no choice of the
// user's and loads nothing.
class ThemeTree : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;
  bool MovingByKey() const { return moving_by_key_; }
  std::function<void(QTreeWidgetItem*, PointerButton)> on_press;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    QScopedValueRollback<bool> flag(moving_by_key_, true);
    QTreeWidget::keyPressEvent(event);
  }
  void mousePressEvent(QMouseEvent* event) override {
    PointerButton button = PointerButton::kLeft;
    if (event->button() == Qt::RightButton) button = PointerButton::kRight;
    if (event->button() == Qt::MiddleButton) button = PointerButton::kMiddle;
    if (button == PointerButton::kLeft) {
      QTreeWidget::mousePressEvent(event);
    } else {
      setFocus(Qt::MouseFocusReason);
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && on_press) on_press(item, button);
  }

 private:
  bool moving_by_key_ = false;
};

class QtPickerView : public PickerView, public QObject {
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
    if (revision_ != picker.ThemesRevision()) {
      revision_ = picker.ThemesRevision();
      list_->clear();
      const ThemeList& themes = picker.Themes();
      for (size_t i = 0; i < themes.size(); ++i) {
        auto* item = new QTreeWidgetItem(list_, {ToQString(themes[i].text)});
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        item->setToolTip(0, ToQString(themes[i].tag));
      }
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
    // The client area with the frame the window system puts around it.
    auto& dialog = const_cast<QDialog&>(dialog_);
    dialog.winId();  // creates the native window, which knows its frame
    const QMargins frame =
        dialog.windowHandle() ? dialog.windowHandle()->frameMargins() : QMargins();
    const QSize size = dialog_.size().grownBy(frame);
    const double dpi = ScreenDpi();
    return {PixelsToTwips(size.width(), dpi), PixelsToTwips(size.height(), dpi)};
  }

  void RunModal(ThemePicker& picker) override {
    picker_ = &picker;
    ThemesChanged(picker);
    ControlsChanged(picker);
    const double dpi = ScreenDpi();
    dialog_.move(TwipsToPixels(picker.Left(), dpi), TwipsToPixels(picker.Top(), dpi));
    // The focus starts on the first control in tab order that takes it.
    for (ControlId id : TabOrder()) {
      QWidget* widget = widgets_[static_cast<size_t>(id)];
      if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()) {
        widget->setFocus(Qt::TabFocusReason);
        break;
      }
    }
    if (options_.on_shown) {
      QTimer::singleShot(0, &dialog_, [this] {
        if (picker_ && dialog_.isVisible()) options_.on_shown(dialog_, *picker_);
      });
    }
    dialog_.exec();
    picker_ = nullptr;
  }

  void EndModal() override { dialog_.done(0); }

 protected:
  // Enter and Escape, wherever the focus is, go to the picker, which decides
  // what they do; no widget acts on them itself.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !picker_) return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      picker_->PressKey(DialogKey::kEnter, FocusedControl());
      return true;
    }
    if (key == Qt::Key_Escape) {
      picker_->PressKey(DialogKey::kEscape, FocusedControl());
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  // The control that has the focus, or kDialog.
  ControlId FocusedControl() const {
    const QWidget* focus = QApplication::focusWidget();
    for (const ControlSpec& control : PickerControls()) {
      const QWidget* widget = widgets_[static_cast<size_t>(control.id)];
      if (focus && (widget == focus || widget->isAncestorOf(focus))) return control.id;
    }
    return ControlId::kDialog;
  }

  // The button that Enter clicks shows as the default one.
  void ShowDefaultButton() {
    if (!picker_) return;  // not while the dialog is built or taken down
    const ControlId button = ThemePicker::DefaultButton(FocusedControl());
    for (ControlId id : {ControlId::kCmdOK, ControlId::kCmdCancel, ControlId::kCmdHelp}) {
      static_cast<QPushButton*>(widgets_[static_cast<size_t>(id)])->setDefault(id == button);
    }
  }

  void Build() {
    const double dpi = ScreenDpi();
    dialog_.setWindowTitle(ToQString(kPickerCaption));
    dialog_.setObjectName(QStringLiteral("frmMain"));
    const PixelRect client = ClientPixels(dpi);
    dialog_.setFixedSize(client.width, client.height);
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
      widget->installEventFilter(this);
      const PixelRect place = ControlPixels(control.id, dpi);
      const int width = FittedWidth(control, place.width, widget->sizeHint().width());
      widget->setGeometry(place.left, place.top, width, place.height);
      widgets_[static_cast<size_t>(control.id)] = widget;
    }
    dialog_.installEventFilter(this);
    QObject::connect(qApp, &QApplication::focusChanged, &dialog_,
                     [this](QWidget*, QWidget*) { ShowDefaultButton(); });
    // The check box sits on the frame's top edge as its title.
    widgets_[static_cast<size_t>(ControlId::kChkUseThemeOnPage)]->raise();
    static_cast<QLabel*>(widgets_[static_cast<size_t>(ControlId::kLblAvailable)])->setBuddy(list_);

    QWidget* previous = nullptr;
    for (ControlId id : TabOrder()) {
      QWidget* widget = widgets_[static_cast<size_t>(id)];
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
        // The picker turns the box over; the view then shows its state.
        QObject::connect(box, &QCheckBox::clicked, box, [this, id] {
          if (updating_ || !picker_) return;
          picker_->Activate(id);
          ControlsChanged(*picker_);
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
        list_->on_press = [this](QTreeWidgetItem* item, PointerButton button) {
          if (updating_ || !picker_ || !item) return;
          picker_->PressEntry(item->data(0, Qt::UserRole).toULongLong(), button);
        };
        return list_;
      }
      case ControlKind::kPreview:
        preview_ = new PreviewView(parent);
        return preview_;
      case ControlKind::kButton: {
        auto* button = new QPushButton(caption, parent);
        // Enter is the picker's (see eventFilter): no button takes it itself.
        button->setDefault(control.default_button);
        button->setAutoDefault(false);
        const ControlId id = control.id;
        QObject::connect(button, &QPushButton::clicked, button, [this, id] {
          if (picker_) picker_->Activate(id);
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
  size_t revision_ = static_cast<size_t>(-1);  // of the entries the list shows
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

void InstallQtPickerView(QtPickerOptions options) {
  InstallPickerViewFactory([options]() -> std::unique_ptr<PickerView> {
    EnsureApplication();
    return std::make_unique<QtPickerView>(options);
  });
}

}  // namespace rxTheme
