#include "ui/print_job.h"

#include <QMarginsF>
#include <QPainter>

#include <algorithm>

namespace gakunen {

namespace {
constexpr double kMarginMm = 10.0;
}

QPageSize PageSizeFor(int paper) {
  if (paper == 12) return QPageSize(QPageSize::JisB4);
  return QPageSize(QPageSize::A4);
}

QPageLayout::Orientation OrientationFor(int orientation) {
  return orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageLayout PageLayoutFor(const PageSetup& setup) {
  return QPageLayout(PageSizeFor(setup.paper), OrientationFor(setup.orientation),
                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

QSizeF PrintableSizePoints(const PageSetup& setup) {
  const QSizeF printable = PageLayoutFor(setup).paintRect(QPageLayout::Point).size();
  return {printable.width(), std::max(printable.height() - kPageHeaderPoints, 0.0)};
}

void PlayPage(QPainter& painter, const PrintedPage& page) {
  // A picture plays back scaled by the device's resolution over its own
  // (the screen's); its units are points, so a further 72 to its own.
  painter.save();
  painter.scale(page.picture.logicalDpiX() / 72.0, page.picture.logicalDpiY() / 72.0);
  painter.drawPicture(0, 0, page.picture);
  painter.restore();
}

}  // namespace gakunen
