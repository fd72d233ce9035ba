#pragma once

#include "model/ports/printer.h"

class QWidget;

namespace gakunen {

// The printer the screens are handed: tables, as the rules print them, and
// what a widget paints (the charts), which only a window can give.
class ScreenPrinter : public Printer {
 public:
  // The widget and its children as they paint themselves, fitted to the page.
  virtual void drawWidget(QWidget* widget) = 0;
};

}  // namespace gakunen
