#include "model/rules/scores/score_printing.h"

#include "model/ports/printer.h"
#include "model/rules/scores/summary_rows.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/class_sizes.h"
#include "model/table/grid_routines.h"
#include "model/table/student_table.h"

#include <algorithm>

namespace gakunen {

namespace {

// B4 portrait for the class pages; the frequency page, a document of its
// own, goes on A4.
constexpr int kPaperB4 = 12;
constexpr int kPaperA4 = 9;
constexpr int kPortrait = 1;
constexpr int kFrequencyRows = 17;  // after their leading empty row

std::unique_ptr<StudentTable> yearGroupPage(const StudentTable& t, int columns, int classes) {
  const int rows = 4 * classes + 4;
  auto page = std::make_unique<StudentTable>();
  page->resize(rows + 1, columns);
  ApplyStandardWidths(*page, columns);
  page->setRowTexts(0, t.rowTexts(0));
  const int first = t.rows() - rows;
  for (int i = 0; i < rows; ++i)
    if (first + i >= 1) page->setRowTexts(i + 1, t.rowTexts(first + i));
  return page;
}

std::unique_ptr<StudentTable> frequencyPage(const StudentTable& t, int columns) {
  auto page = std::make_unique<StudentTable>();
  page->resize(kFrequencyRows + 1, columns);
  ApplyStandardWidths(*page, columns);
  for (int c = 3; c < columns; ++c) page->setText(0, c, t.text(0, c));
  const int first = t.rows() - kFrequencyRows;
  for (int i = 0; i < kFrequencyRows; ++i) {
    if (first + i < 1) continue;
    for (int c = 2; c < columns; ++c) page->setText(i + 1, c, t.text(first + i, c));
  }
  return page;
}

}  // namespace

ScorePrintout BuildScorePrintout(SharedState& state, TableHost& scoreScreen) {
  const StudentTable& t = scoreScreen.table();
  state.ColumnCount = t.cols();
  state.RowCount = t.rows();
  state.ClassSizes = QVector<int>(15, 0);
  CountClassSizes(state, scoreScreen);
  const int classes = state.ClassCount;
  const int columns = state.ColumnCount;

  ScorePrintout out;
  if (classes == 0) return out;

  // The pages are filled by class cell, so that a row whose class is out of
  // order still prints with its class. Summary rows have no class cell.
  std::vector<int> next(classes + 1, 1);
  for (int k = 1; k <= classes; ++k) {
    auto page = std::make_unique<StudentTable>();
    page->resize(state.ClassSizes[k - 1] + 1, columns);
    ApplyStandardWidths(*page, columns);
    page->setRowTexts(0, t.rowTexts(0));
    out.classPages.push_back(std::move(page));
  }
  for (int r = 1; r < t.rows(); ++r) {
    const int k = PlainClassNumber(t.text(r, 0));
    if (k < 1 || k > classes) continue;
    out.classPages[k - 1]->setRowTexts(next[k]++, t.rowTexts(r));
  }

  if (state.ModeCode == ModeCode::YearGroupRows) {
    out.summary = yearGroupPage(t, columns, classes);
  } else if (state.ModeCode == ModeCode::FrequencyRows) {
    out.summary = frequencyPage(t, columns);
    out.summaryOwnJob = true;
  }
  return out;
}

bool PrintScorePrintout(const ScorePrintout& printout, Printer& printer) {
  std::vector<const StudentTable*> pages;
  for (const auto& page : printout.classPages) pages.push_back(page.get());
  if (pages.empty()) return false;
  if (printout.summary && !printout.summaryOwnJob) pages.push_back(printout.summary.get());
  PrintTablesOnePerPage(pages, printer);
  if (printout.summary && printout.summaryOwnJob) {
    printer.setPageSetup(kPaperA4, kPortrait);
    printer.drawTable(*printout.summary, 10, 10);
    printer.endJob();
  }
  return true;
}

bool PrintTablesOnePerPage(const std::vector<const StudentTable*>& tables, Printer& printer) {
  if (tables.empty()) return false;
  for (size_t i = 0; i < tables.size(); ++i) {
    if (i > 0) printer.newPage();
    printer.setPageSetup(kPaperB4, kPortrait);
    printer.drawTable(*tables[i], 10, 10);
  }
  printer.endJob();
  return true;
}

QString NothingToPrintMessage() {
  return QStringLiteral("印刷するデータがありません。組が1～15の生徒がいる表で印刷してください。");
}

}  // namespace gakunen
