#pragma once

#include "ui/print_job.h"
#include "ui/screen_printer.h"

#include <QPicture>
#include <QSizeF>
#include <functional>
#include <memory>

class QPainter;

namespace gakunen {

class StudentTable;

// The printer of the program: it records what is drawn, page by page, and
// hands every finished job to its owner (a print preview in normal use, a
// record in scenarios). Pages come into being only by drawing on them, so
// neither a job nor a page without drawing ever reaches the handler.
class PagePrinter : public ScreenPrinter {
 public:
  using JobHandler = std::function<void(const PrintJob&)>;

  PagePrinter();
  ~PagePrinter() override;
  PagePrinter(const PagePrinter&) = delete;
  PagePrinter& operator=(const PagePrinter&) = delete;

  // Called with each finished job that has at least one page.
  void setJobHandler(JobHandler handler) { handler_ = std::move(handler); }

  // Applies to the page being drawn, or to the next one after newPage();
  // a new job starts with B4 portrait again.
  void setPageSetup(int paper, int orientation) override;
  // Natural size, reduced (keeping its proportions) where it would not fit
  // on the page from (x, y) on.
  void drawTable(const StudentTable& table, int xTwips = 10, int yTwips = 10) override;
  // The widget and its children as they paint themselves, without the
  // window's background, scaled to fill the printable area.
  void drawWidget(QWidget* widget) override;
  // Ends the page; the next drawing begins a new one.
  void newPage() override;
  // Ends the job and hands it on when it has pages.
  void endJob() override;

  int jobsFinished() const { return jobsFinished_; }
  const PrintJob& lastJob() const { return lastJob_; }
  // Pages of the job in progress, the open one included.
  int pagesInProgress() const;
  PageSetup currentSetup() const { return setup_; }

 private:
  QPainter& pagePainter();
  void finishPage();

  PageSetup setup_;
  PrintJob job_;
  PrintedPage page_;
  std::unique_ptr<QPainter> painter_;
  PrintJob lastJob_;
  int jobsFinished_ = 0;
  JobHandler handler_;
};

// The image of a table as printed, in twips from its top-left corner:
// cell texts in "ＭＳ Ｐゴシック" 9 pt and grid lines, row 0 shaded, rows 240
// twips high, columns as wide as the table says, numbers to the right.
QSizeF TableImageSizeTwips(const StudentTable& table);
void PaintTableImage(QPainter& painter, const StudentTable& table);

}  // namespace gakunen
