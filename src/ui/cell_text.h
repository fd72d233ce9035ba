#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <Qt>

class QPainter;
class QRectF;

namespace gakunen {

// The narrowest a cell text is drawn, as a share of its natural width.
inline constexpr double kMinCellTextSqueeze = 0.6;

// Draws a cell's text on one line inside `rect` with the painter's font and
// pen. A text wider than the rect is narrowed to fit rather than cut short
// with an ellipsis: a 300-twip column must show "100" whole, since a score
// read as "1…" is worse than useless. Only a text that would need narrowing
// below kMinCellTextSqueeze is clipped at the rect's edges.
void DrawCellText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment);

// Draws cell texts as DrawCellText does, laying each text out once: a grid
// paints the same texts again on every change and scroll, and shaping them
// was most of its painting. For the screen; pages are drawn once.
class CellTextCache {
 public:
  void draw(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment);
  // Lays a text out ahead of its first drawing in `font`.
  void prepare(const QFont& font, const QString& text);

 private:
  struct Entry {
    QStaticText text;
    double width = 0;
    double height = 0;
  };
  const Entry& entry(const QFont& font, const QString& text);
  // Beyond this many texts the cache starts again, so that a large table
  // scrolled from end to end does not keep a layout of every cell.
  static constexpr qsizetype kMaxEntries = 4096;

  QFont font_;
  QHash<QString, Entry> entries_;
};

}  // namespace gakunen
