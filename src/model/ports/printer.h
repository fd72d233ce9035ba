#pragma once

namespace gakunen {

class StudentTable;

// Page setup codes as the teachers' printouts were laid out:
// paper 12 is B4 and 9 is A4; orientation 1 is portrait (2 landscape).
struct PageSetup {
  int paper = 12;
  int orientation = 1;
};

// A print job of pages. The first drawing starts the job; newPage() starts
// the next page; endJob() finishes the job (a preview opens in normal use,
// scenarios record it). A job with no drawing prints nothing. The rules
// print tables; a screen's own picture is the ui's ScreenPrinter.
class Printer {
 public:
  virtual ~Printer() = default;
  // The setup of the current page (set before drawing on it).
  virtual void setPageSetup(int paper, int orientation) = 0;
  // The image of a whole table, cell texts and lines drawn as vectors, at
  // (x, y) twips from the page's printable corner, at its natural size.
  virtual void drawTable(const StudentTable& table, int xTwips = 10, int yTwips = 10) = 0;
  virtual void newPage() = 0;
  virtual void endJob() = 0;
};

}  // namespace gakunen
