#pragma once

// Where a region of a rendered image holds ink, for the tests of how the
// grid and the printer draw cell texts.

#include <QImage>
#include <QRect>

namespace gakunen::testing {

// The box around every pixel of `region` darker than `below`, and the number
// of separate runs of such pixel columns (one a glyph, for digits of the grid
// font). The box is null when the region holds no ink.
struct Ink {
  QRect box;
  int runs = 0;
};

inline Ink InkIn(const QImage& image, const QRect& region, int below = 160) {
  Ink ink;
  bool inRun = false;
  const QRect area = region & image.rect();
  for (int x = area.left(); x <= area.right(); ++x) {
    bool dark = false;
    for (int y = area.top(); y <= area.bottom(); ++y)
      if (qGray(image.pixel(x, y)) < below) {
        ink.box |= QRect(x, y, 1, 1);
        dark = true;
      }
    if (dark && !inRun) ++ink.runs;
    inRun = dark;
  }
  return ink;
}

}  // namespace gakunen::testing
