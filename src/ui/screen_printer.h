#pragma once

#include "model/ports/printer.h"

class QWidget;

namespace gakunen {

// The printer the screens are handed: tables, as the rules print them, and
// the picture of a whole screen (the charts), which only a window can give.
class ScreenPrinter : public Printer {
 public:
  // The image of a whole screen as it is shown, fitted to the page.
  virtual void drawWidget(QWidget* widget) = 0;
};

}  // namespace gakunen
