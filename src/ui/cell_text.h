#pragma once

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

}  // namespace gakunen
