#include "ui/cell_text.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <algorithm>

namespace gakunen {

namespace {

// Calls `draw` with the rect to draw a text of width `natural` in: `rect`
// itself when the text fits, else a rect in a frame narrowed to fit.
template <typename Draw>
void drawFitted(QPainter& painter, const QRectF& rect, double natural, const Draw& draw) {
  if (natural <= rect.width()) {
    draw(rect);
    return;
  }
  const double squeeze = std::max(rect.width() / natural, kMinCellTextSqueeze);
  painter.save();
  if (squeeze * natural > rect.width()) painter.setClipRect(rect, Qt::IntersectClip);
  // Narrowed about the rect's left edge: in the scaled frame the rect is
  // wider by 1/squeeze, so the text's alignment inside it still holds.
  painter.translate(rect.left(), 0);
  painter.scale(squeeze, 1.0);
  draw(QRectF(0, rect.top(), rect.width() / squeeze, rect.height()));
  painter.restore();
}

bool isOneLine(const QString& text) { return !text.contains(u'\n') && !text.contains(u'\r'); }

}  // namespace

void DrawCellText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) {
  if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
  const int flags = static_cast<int>(alignment) | Qt::TextSingleLine;
  const double natural = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
  drawFitted(painter, rect, natural, [&](const QRectF& r) { painter.drawText(r, flags, text); });
}

const CellTextCache::Entry& CellTextCache::entry(const QFont& font, const QString& text) {
  if (font != font_) {
    entries_.clear();
    font_ = font;
  }
  auto found = entries_.find(text);
  if (found == entries_.end()) {
    if (entries_.size() >= kMaxEntries) entries_.clear();
    Entry e;
    e.text = QStaticText(text);
    e.text.setTextFormat(Qt::PlainText);
    e.text.setPerformanceHint(QStaticText::AggressiveCaching);
    e.text.prepare(QTransform(), font_);
    e.width = e.text.size().width();
    e.height = QFontMetricsF(font_).height();
    found = entries_.insert(text, std::move(e));
  }
  return *found;
}

void CellTextCache::prepare(const QFont& font, const QString& text) {
  if (!text.isEmpty() && isOneLine(text)) entry(font, text);
}

void CellTextCache::draw(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) {
  if (text.isEmpty() || rect.width() <= 0 || rect.height() <= 0) return;
  if (!isOneLine(text)) {
    DrawCellText(painter, rect, text, alignment);
    return;
  }
  const Entry& e = entry(painter.font(), text);
  if (e.width * kMinCellTextSqueeze > rect.width()) {
    // Clipped as well as narrowed: rare, and drawn as the page draws it.
    DrawCellText(painter, rect, text, alignment);
    return;
  }
  drawFitted(painter, rect, e.width, [&](const QRectF& r) {
    double x = r.left();
    if (alignment & Qt::AlignRight)
      x = r.right() - e.width;
    else if (alignment & Qt::AlignHCenter)
      x = r.left() + (r.width() - e.width) / 2;
    painter.drawStaticText(QPointF(x, r.top() + (r.height() - e.height) / 2), e.text);
  });
}

}  // namespace gakunen
