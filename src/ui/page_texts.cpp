#include "ui/page_texts.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>

namespace gakunen {

namespace {

// A paint engine that keeps the texts drawn with it and draws nothing. One
// text may arrive in pieces, a piece a font ("2年 期末." and "dat"): a piece
// that starts on the same line where the one before it ended joins it.
class TextCollector : public QPaintEngine {
 public:
  TextCollector() : QPaintEngine(QPaintEngine::AllFeatures) {}

  QStringList texts;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  Type type() const override { return QPaintEngine::User; }

  void drawTextItem(const QPointF& at, const QTextItem& item) override {
    const QPointF start = state->transform().map(at);
    const QPointF end = state->transform().map(at + QPointF(item.width(), 0));
    constexpr double kJoin = 0.05;  // points
    if (!texts.isEmpty() && qAbs(start.y() - end_.y()) < kJoin && qAbs(start.x() - end_.x()) < kJoin)
      texts.last() += item.text();
    else
      texts << item.text();
    end_ = end;
  }

  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
  void drawLines(const QLineF*, int) override {}
  void drawLines(const QLine*, int) override {}
  void drawRects(const QRectF*, int) override {}
  void drawRects(const QRect*, int) override {}
  void drawPoints(const QPointF*, int) override {}
  void drawPoints(const QPoint*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawEllipse(const QRect&) override {}

 private:
  QPointF end_;
};

// A sheet at 72 dots an inch, so that the page plays back in its own units.
class TextSheet : public QPaintDevice {
 public:
  QPaintEngine* paintEngine() const override { return &collector; }
  mutable TextCollector collector;

 protected:
  int metric(PaintDeviceMetric metric) const override {
    constexpr int kSide = 4000;  // points, larger than any sheet
    switch (metric) {
      case PdmWidth:
      case PdmHeight:
        return kSide;
      case PdmWidthMM:
      case PdmHeightMM:
        return kSide * 254 / 720;
      case PdmNumColors:
        return 256;
      case PdmDepth:
        return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return 72;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
      default:
        return 0;
    }
  }
};

}  // namespace

QStringList PageTexts(const PrintedPage& page) {
  TextSheet sheet;
  {
    QPainter painter(&sheet);
    PlayPage(painter, page);
  }
  return sheet.collector.texts;
}

}  // namespace gakunen
