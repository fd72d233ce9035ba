#pragma once

#include <QEvent>
#include <QObject>

namespace gakunen::testing {

// Counts the paint events of the widget it filters (a grid's viewport), so
// that a test or benchmark can tell one repaint from one per cell.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace gakunen::testing
