#pragma once

#include <QDate>
#include <QString>

class QPainter;

namespace gakunen {

// The line at the top of every printed page, so that a sheet taken out of
// a file still says what it is: the job's title and the page's heading on
// the left, the date printed and "n / m" on the right.
struct PageHeader {
  QString title;
  QString heading;
  QDate printed;
  int number = 0;
  int count = 0;
};

// Points from the top of the printable area to where the page's drawing begins.
inline constexpr double kPageHeaderPoints = 28.0;

// "2024年4月8日".
QString PrintedDateText(const QDate& date);
// "2 / 5".
QString PageNumberText(int number, int count);

// Draws the header with the painter's origin at the printable corner and
// its unit a point, across `widthPoints`.
void PaintPageHeader(QPainter& painter, const PageHeader& header, double widthPoints);

}  // namespace gakunen
