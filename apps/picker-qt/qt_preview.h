// The picker's preview in Qt: a widget that paints a PreviewScene, inside a
// scroll area that scrolls it up and down, and the text metrics of the fonts
// it paints with.
#pragma once

#include <QFont>
#include <QImage>
#include <QScrollArea>
#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include <rxtheme/picker/preview_scene.h>

namespace rxTheme {

// The Qt font for a scene's font: the face ChooseFace picks, with the
// generic family's class as the style hint.
QFont SceneQFont(const SceneFont& font);

class QtTextMetrics : public TextMetrics {
 public:
  TextExtent Measure(const SceneFont& font, std::u16string_view text) const override;
};

// Paints one scene: the page's background over the whole widget, the tiled
// background picture, the pictures and the text runs.
class PreviewCanvas : public QWidget {
 public:
  explicit PreviewCanvas(QWidget* parent) : QWidget(parent) {}
  void SetScene(const PreviewScene& scene);
  const PreviewScene& Scene() const { return scene_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& Image(const std::shared_ptr<const std::string>& bytes);

  PreviewScene scene_;
  std::map<const std::string*, QImage> images_;  // decoded pictures of the scene
};

// The preview control: a read-only view of the page, scrolled vertically
// when the page is taller; a page wider than the view is cut at its right.
class PreviewView : public QScrollArea {
 public:
  explicit PreviewView(QWidget* parent);
  void ShowScene(const PreviewScene& scene);
  PreviewCanvas* Canvas() const { return canvas_; }

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  void Fit();

  PreviewCanvas* canvas_;
};

}  // namespace rxTheme
