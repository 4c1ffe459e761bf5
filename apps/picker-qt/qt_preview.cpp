#include "qt_preview.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <algorithm>

namespace rxTheme {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QColor ToQColor(Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

// The style hint of each generic family, in GenericFamily's order.
constexpr QFont::StyleHint kGenericHints[] = {QFont::Serif, QFont::SansSerif, QFont::Monospace,
                                              QFont::Cursive, QFont::Fantasy};

}  // namespace

QFont SceneQFont(const SceneFont& scene_font) {
  const FontFace face = ChooseFace(scene_font.families, [](std::u16string_view family) {
    return QFontDatabase::hasFamily(ToQString(family));
  });
  QFont font(ToQString(face.face));
  // A generic family's face that is not installed: the nearest of its class.
  if (face.generic) font.setStyleHint(kGenericHints[static_cast<int>(*face.generic)]);
  font.setPixelSize(scene_font.pixel_size);
  font.setBold(scene_font.bold);
  font.setUnderline(scene_font.underline);
  return font;
}

TextExtent QtTextMetrics::Measure(const SceneFont& font, std::u16string_view text) const {
  const QFontMetrics metrics(SceneQFont(font));
  return {metrics.horizontalAdvance(ToQString(text)), metrics.ascent(), metrics.descent()};
}

void PreviewCanvas::SetScene(const PreviewScene& scene) {
  scene_ = scene;
  images_.clear();
  update();
}

const QImage& PreviewCanvas::Image(const std::shared_ptr<const std::string>& bytes) {
  auto [it, added] = images_.try_emplace(bytes.get());
  if (added) {
    it->second.loadFromData(reinterpret_cast<const uchar*>(bytes->data()),
                            static_cast<int>(bytes->size()));
  }
  return it->second;
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(scene_.background));
  const ScenePicture& tile = scene_.background_picture;
  if (tile.bytes && !Image(tile.bytes).isNull()) {
    painter.drawTiledPixmap(
        rect(), QPixmap::fromImage(
                    Image(tile.bytes).scaled(tile.width, tile.height, Qt::IgnoreAspectRatio)));
  }
  for (const ScenePicture& picture : scene_.pictures) {
    painter.drawImage(QRect(picture.x, picture.y, picture.width, picture.height),
                      Image(picture.bytes));
  }
  for (const SceneText& text : scene_.texts) {
    painter.setFont(SceneQFont(text.font));
    painter.setPen(ToQColor(text.color));
    painter.drawText(QPoint(text.x, text.baseline), ToQString(text.text));
  }
}

PreviewView::PreviewView(QWidget* parent) : QScrollArea(parent), canvas_(new PreviewCanvas(this)) {
  setWidget(canvas_);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFocusPolicy(Qt::StrongFocus);
}

void PreviewView::ShowScene(const PreviewScene& scene) {
  canvas_->SetScene(scene);
  Fit();
  verticalScrollBar()->setValue(0);
}

bool PreviewView::viewportEvent(QEvent* event) {
  // The scroll bar coming or going resizes the viewport.
  if (event->type() == QEvent::Resize) Fit();
  return QScrollArea::viewportEvent(event);
}

void PreviewView::Fit() {
  // A scroll bar when the page is taller than the view (set at once, so that
  // the view is laid out before it is next painted); the page as wide as the
  // view, as tall as the page and at least the view.
  const bool taller = canvas_->Scene().height > height() - 2 * frameWidth();
  setVerticalScrollBarPolicy(taller ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const QSize view = viewport()->size();
  canvas_->resize(view.width(), std::max(canvas_->Scene().height, view.height()));
}

}  // namespace rxTheme
