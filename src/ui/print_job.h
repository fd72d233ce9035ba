#pragma once

#include "model/ports/printer.h"

#include <QList>
#include <QPageLayout>
#include <QPicture>
#include <QSizeF>

class QPainter;

namespace gakunen {

// One printed page: its setup and what was drawn on it, recorded in points
// (1/72 inch; 20 twips a point) from the corner of the printable area.
struct PrintedPage {
  PageSetup setup;
  QPicture picture;
};

// The pages of one print job, in order.
struct PrintJob {
  QList<PrintedPage> pages;
  int pageCount() const { return static_cast<int>(pages.size()); }
};

// Paper code 12 is JIS B4 (257 x 364 mm), 9 is A4, any other code A4.
QPageSize PageSizeFor(int paper);
// Orientation code 2 is landscape, any other code portrait.
QPageLayout::Orientation OrientationFor(int orientation);
// The layout every page is printed with: paper, orientation and a margin
// of 10 mm all round.
QPageLayout PageLayoutFor(const PageSetup& setup);
// The printable area of a page in points.
QSizeF PrintableSizePoints(const PageSetup& setup);

// Plays a page's picture with the painter's origin at the printable corner
// and its units the device's own pixels (as a painter on a printer, a PDF
// writer or an image with its resolution set has them).
void PlayPage(QPainter& painter, const PrintedPage& page);

}  // namespace gakunen
