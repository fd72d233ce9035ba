#include "ui/page_header.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

namespace gakunen {

namespace {

constexpr double kTitlePoints = 11.0;
constexpr double kSidePoints = 9.0;
constexpr double kTextHeight = 16.0;
constexpr double kRuleAt = 19.0;
constexpr double kGap = 12.0;

QFont headerFont(double points, bool bold) {
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  // In the drawing's own units, so that the page plays back alike on any device.
  font.setPixelSize(qRound(points));
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// Draws `text` left of `right` (or from `left`), returning the width it took.
double drawLeft(QPainter& painter, double x, const QString& text, const QFont& font) {
  if (text.isEmpty()) return 0;
  painter.setFont(font);
  const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
  painter.drawText(QRectF(x, 0, width + 1, kTextHeight), Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine, text);
  return width;
}

double drawRight(QPainter& painter, double right, const QString& text, const QFont& font) {
  if (text.isEmpty()) return 0;
  painter.setFont(font);
  const double width = QFontMetricsF(font, painter.device()).horizontalAdvance(text);
  painter.drawText(QRectF(right - width - 1, 0, width + 1, kTextHeight),
                   Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine, text);
  return width;
}

}  // namespace

QString PrintedDateText(const QDate& date) {
  if (!date.isValid()) return {};
  return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString PageNumberText(int number, int count) { return QStringLiteral("%1 / %2").arg(number).arg(count); }

void PaintPageHeader(QPainter& painter, const PageHeader& header, double widthPoints) {
  painter.save();
  painter.setPen(Qt::black);
  const QFont side = headerFont(kSidePoints, false);
  double right = widthPoints;
  if (header.count > 0) right -= drawRight(painter, right, PageNumberText(header.number, header.count), side) + kGap;
  drawRight(painter, right, PrintedDateText(header.printed), side);

  const QFont title = headerFont(kTitlePoints, true);
  const double x = drawLeft(painter, 0, header.title, title);
  drawLeft(painter, x > 0 ? x + kGap : 0, header.heading, title);

  QPen rule(Qt::black);
  rule.setWidthF(0.5);
  painter.setPen(rule);
  painter.drawLine(QLineF(0, kRuleAt, widthPoints, kRuleAt));
  painter.restore();
}

}  // namespace gakunen
