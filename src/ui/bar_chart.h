#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QPainter;
class QRectF;

namespace gakunen {

// What one bar chart shows: a bar per value with its label under it and
// the value itself above it, a title, and the titles of both axes.
struct BarChartContent {
  QString title;
  QStringList categories;  // under the bars, one per value
  QList<int> values;
  QString categoryTitle;  // under the category labels
  QString valueTitle;     // beside the value axis
  QColor barColor = QColor(0x4F, 0x81, 0xBD);
};

// The value axis for a tallest bar of `most`: whole steps, about five of
// them from 0 to `top`, with room above the tallest bar for its label.
struct ValueScale {
  int top = 1;
  int step = 1;
};
ValueScale ValueScaleFor(int most);

// Paints a chart inside `area`. Lengths and font sizes are in the painter's
// units taken as screen pixels, so the same drawing serves the widget and,
// scaled, a printed page, where it stays vector.
void PaintBarChart(QPainter& painter, const QRectF& area, const BarChartContent& content);

// A chart on a screen. It paints nothing but the chart: no background of
// its own, so that a page printed from it is the chart on white paper.
class BarChart : public QWidget {
  Q_OBJECT
 public:
  explicit BarChart(QWidget* parent = nullptr);
  void setContent(BarChartContent content);
  const BarChartContent& content() const { return content_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  BarChartContent content_;
};

}  // namespace gakunen
