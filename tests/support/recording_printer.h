#pragma once

#include "model/ports/printer.h"
#include "model/table/student_table.h"

#include <QList>
#include <QPoint>
#include <QStringList>

namespace gakunen::testing {

// Remembers every page as the cells and widths of the table drawn on it,
// with the heading given for it and the job's title.
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
    QString heading;
    QString title;
  };
  QList<QList<Page>> jobs;
  int endedJobs = 0;

  void setPageSetup(int paper, int orientation) override { setup_ = {paper, orientation}; }
  void setJobTitle(const QString& title) override { title_ = title; }
  void setPageHeading(const QString& heading) override { heading_ = heading; }
  void drawTable(const StudentTable& table, int x, int y) override {
    Page page{setup_, QPoint(x, y), {}, {}, heading_, title_};
    for (int r = 0; r < table.rows(); ++r) page.rows << table.rowTexts(r);
    for (int c = 0; c < table.cols(); ++c) page.widths << table.colWidth(c);
    current_ << page;
  }
  void newPage() override { heading_.clear(); }
  void endJob() override {
    ++endedJobs;
    if (!current_.isEmpty()) jobs << current_;
    current_.clear();
    heading_.clear();
  }

 private:
  PageSetup setup_;
  QString title_;
  QString heading_;
  QList<Page> current_;
};

using RecordingPrinter = RecordingPrinterOf<>;

}  // namespace gakunen::testing
