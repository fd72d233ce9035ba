#include "ui/cell_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>

#include <algorithm>

namespace gakunen {

void DrawCellText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) {
  if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
  const int flags = static_cast<int>(alignment) | Qt::TextSingleLine;
  const double natural = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
  if (natural <= rect.width()) {
    painter.drawText(rect, flags, text);
    return;
  }
  const double squeeze = std::max(rect.width() / natural, kMinCellTextSqueeze);
  painter.save();
  if (squeeze * natural > rect.width()) painter.setClipRect(rect, Qt::IntersectClip);
  // Narrowed about the rect's left edge: in the scaled frame the rect is
  // wider by 1/squeeze, so the text's alignment inside it still holds.
  painter.translate(rect.left(), 0);
  painter.scale(squeeze, 1.0);
  painter.drawText(QRectF(0, rect.top(), rect.width() / squeeze, rect.height()), flags, text);
  painter.restore();
}

}  // namespace gakunen
