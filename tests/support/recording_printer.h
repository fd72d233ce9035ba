#pragma once

#include "model/ports/printer.h"
#include "model/table/student_table.h"

#include <QList>
#include <QPoint>
#include <QStringList>

namespace gakunen::testing {

// Remembers every page as the cells and widths of the table drawn on it.
// `Base` is the printer interface it stands in for: the rules' Printer, or
// the screens' printer, which adds the picture of a screen.
template <typename Base = Printer>
class RecordingPrinterOf : public Base {
 public:
  struct Page {
    PageSetup setup;
    QPoint at;
    QList<QStringList> rows;
    QList<int> widths;
  };
  QList<QList<Page>> jobs;
  int endedJobs = 0;

  void setPageSetup(int paper, int orientation) override { setup_ = {paper, orientation}; }
  void drawTable(const StudentTable& table, int x, int y) override {
    Page page{setup_, QPoint(x, y), {}, {}};
    for (int r = 0; r < table.rows(); ++r) page.rows << table.rowTexts(r);
    for (int c = 0; c < table.cols(); ++c) page.widths << table.colWidth(c);
    current_ << page;
  }
  void newPage() override {}
  void endJob() override {
    ++endedJobs;
    if (!current_.isEmpty()) jobs << current_;
    current_.clear();
  }

 private:
  PageSetup setup_;
  QList<Page> current_;
};

using RecordingPrinter = RecordingPrinterOf<>;

}  // namespace gakunen::testing
