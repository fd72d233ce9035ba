#pragma once

#include <QString>

namespace gakunen {

class AppContext;
class Screen;
class ScreenPrinter;

// Printing from a screen: for as long as the scope lives, the printer heads
// every page with the name of the data file the screen shows (without its
// folder), or with the screen's caption for a table never saved. Afterwards
// the title is taken back, so that nothing printed later carries it.
class PrintingScope {
 public:
  explicit PrintingScope(Screen& screen);
  // For a window that shows no data file of its own.
  PrintingScope(AppContext& app, const QString& title);
  ~PrintingScope();
  PrintingScope(const PrintingScope&) = delete;
  PrintingScope& operator=(const PrintingScope&) = delete;

  ScreenPrinter& printer() { return printer_; }

  // What the pages of `screen` are called.
  static QString titleOf(const Screen& screen);

 private:
  ScreenPrinter& printer_;
};

}  // namespace gakunen
