#include "ui/bar_chart.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace gakunen {

namespace {

constexpr double kPadding = 4;
constexpr double kGap = 3;
constexpr double kBarShare = 0.8;  // of the room each bar has
constexpr int kTitlePixels = 15;   // 11 pt on a 96 dpi screen
constexpr int kAxisTitlePixels = 11;
constexpr int kLabelPixels = 10;
const QColor kGridLine(0xD8, 0xD8, 0xD8);
const QColor kAxisLine(0x60, 0x60, 0x60);

QFont sized(const QFont& base, int pixels, bool bold = false) {
  QFont font = base;
  font.setPixelSize(pixels);
  font.setBold(bold);
  // The drawing is played back at other resolutions when printed: metrics
  // must not depend on hinting for the screen.
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

}  // namespace

ValueScale ValueScaleFor(int most) {
  most = std::max(most, 0);
  const int step = std::max(1, static_cast<int>(std::ceil(most / 5.0)));
  // Room above the tallest bar for its label: at least one step's worth of
  // a student, and 15 % of its height.
  const int room = std::max(most + 1, static_cast<int>(std::ceil(most * 1.15)));
  return {step * ((room + step - 1) / step), step};
}

void PaintBarChart(QPainter& painter, const QRectF& area, const BarChartContent& content) {
  const QRectF inside = area.adjusted(kPadding, kPadding, -kPadding, -kPadding);
  if (inside.width() <= 0 || inside.height() <= 0) return;
  painter.save();
  const QFont base = painter.font();
  const QFont titleFont = sized(base, kTitlePixels, true);
  const QFont axisTitleFont = sized(base, kAxisTitlePixels);
  const QFont labelFont = sized(base, kLabelPixels);
  const QFontMetricsF titleMetrics(titleFont);
  const QFontMetricsF axisTitleMetrics(axisTitleFont);
  const QFontMetricsF labelMetrics(labelFont);

  painter.setPen(Qt::black);
  painter.setFont(titleFont);
  const QRectF titleRect(inside.left(), inside.top(), inside.width(), titleMetrics.height());
  painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, content.title);

  int most = 0;
  for (int v : content.values) most = std::max(most, v);
  const ValueScale scale = ValueScaleFor(most);
  double tickLabelWidth = 0;
  for (int v = 0; v <= scale.top; v += scale.step)
    tickLabelWidth = std::max(tickLabelWidth, labelMetrics.horizontalAdvance(QString::number(v)));
  const double valueTitleWidth =
      content.valueTitle.isEmpty() ? 0 : axisTitleMetrics.horizontalAdvance(content.valueTitle) + kGap;
  const double labelHeight = labelMetrics.height();
  const double categoryTitleHeight = content.categoryTitle.isEmpty() ? 0 : axisTitleMetrics.height() + kGap;

  QRectF plot;
  plot.setLeft(inside.left() + valueTitleWidth + tickLabelWidth + kGap);
  plot.setRight(inside.right() - kGap);
  plot.setTop(titleRect.bottom() + kGap + labelHeight / 2);
  plot.setBottom(inside.bottom() - categoryTitleHeight - labelHeight - kGap);
  if (plot.width() <= 0 || plot.height() <= 0) {
    painter.restore();
    return;
  }
  const auto yOf = [&](double value) { return plot.bottom() - value / scale.top * plot.height(); };

  // Grid lines and the value axis with its labels.
  painter.setFont(labelFont);
  for (int v = 0; v <= scale.top; v += scale.step) {
    const double y = yOf(v);
    if (v > 0) {
      painter.setPen(kGridLine);
      painter.drawLine(QLineF(plot.left(), y, plot.right(), y));
    }
    painter.setPen(Qt::black);
    painter.drawText(QRectF(plot.left() - kGap - tickLabelWidth, y - labelHeight / 2, tickLabelWidth, labelHeight),
                     Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
  }
  if (!content.valueTitle.isEmpty()) {
    painter.setFont(axisTitleFont);
    painter.drawText(QRectF(inside.left(), plot.top(), valueTitleWidth - kGap, plot.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, content.valueTitle);
  }

  // The bars, each with its value above it and its label below.
  const int bars = static_cast<int>(content.values.size());
  if (bars > 0) {
    const double room = plot.width() / bars;
    const double barWidth = room * kBarShare;
    painter.setFont(labelFont);
    for (int i = 0; i < bars; ++i) {
      const int value = std::max(content.values[i], 0);
      const double left = plot.left() + i * room;
      const double top = yOf(value);
      if (value > 0)
        painter.fillRect(QRectF(left + (room - barWidth) / 2, top, barWidth, plot.bottom() - top), content.barColor);
      painter.setPen(Qt::black);
      painter.drawText(QRectF(left, top - labelHeight, room, labelHeight), Qt::AlignHCenter | Qt::AlignBottom,
                       QString::number(value));
      painter.drawText(QRectF(left, plot.bottom() + kGap, room, labelHeight), Qt::AlignHCenter | Qt::AlignTop,
                       content.categories.value(i));
    }
  }
  painter.setPen(QPen(kAxisLine, 1));
  painter.drawLine(QLineF(plot.bottomLeft(), plot.topLeft()));
  painter.drawLine(QLineF(plot.bottomLeft(), plot.bottomRight()));

  if (!content.categoryTitle.isEmpty()) {
    painter.setPen(Qt::black);
    painter.setFont(axisTitleFont);
    painter.drawText(
        QRectF(plot.left(), inside.bottom() - axisTitleMetrics.height(), plot.width(), axisTitleMetrics.height()),
        Qt::AlignHCenter | Qt::AlignBottom, content.categoryTitle);
  }
  painter.restore();
}

BarChart::BarChart(QWidget* parent) : QWidget(parent) {}

void BarChart::setContent(BarChartContent content) {
  content_ = std::move(content);
  update();
}

void BarChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBarChart(painter, QRectF(rect()), content_);
}

}  // namespace gakunen
