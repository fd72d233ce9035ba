#pragma once

// What a recorded page draws, taken apart: its texts, how many pictures
// (pixmaps and images) it pastes, and how much of it is painted in a given
// colour. A page drawn as vector holds its texts as texts and no pictures.

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPicture>
#include <QStringList>
#include <QTextItem>

namespace gakunen::testing {

class DrawnPage : public QPaintDevice {
 public:
  QStringList texts;
  int pictures = 0;

  explicit DrawnPage(QPicture page) : engine_(this) {
    QPainter painter(this);
    page.play(&painter);
  }

  QPaintEngine* paintEngine() const override { return &engine_; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    switch (metric) {
      case PdmWidth:
      case PdmHeight:
        return 4000;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 72;
      case PdmDepth:
        return 32;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return 1;
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(DrawnPage* page) : QPaintEngine(AllFeatures), page_(page) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++page_->pictures; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
      ++page_->pictures;
    }
    void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override { ++page_->pictures; }
    void drawTextItem(const QPointF&, const QTextItem& item) override { page_->texts << item.text(); }
    // Shapes are of no interest; the engine's own fallbacks for them call
    // each other without end.
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

   private:
    DrawnPage* page_;
  };
  mutable Engine engine_;
};

// The share of an image's pixels that are exactly `colour`.
inline double ShareOfColour(const QImage& image, QRgb colour) {
  qint64 same = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) ++same;
  return image.isNull() ? 0 : double(same) / (double(image.width()) * image.height());
}

}  // namespace gakunen::testing
