#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace gakunen {

struct SharedState;
class StudentTable;
class TableHost;
class Printer;

// The pages "印刷" prints from the score table: one per class from 1 to
// ClassCount (a class number no student has gives a page with the title row
// only), and the summary page when the table ends with year-group rows
// (ModeCode YearGroupRows) or frequency rows (FrequencyRows).
struct ScorePrintout {
  std::vector<std::unique_ptr<StudentTable>> classPages;
  std::unique_ptr<StudentTable> summary;
  // The frequency page goes out as a document of its own after the class
  // pages; the year-group page ends the class pages' document.
  bool summaryOwnJob = false;
};

// Counts the classes into ClassSizes and ClassCount first. A class page
// holds the title row and the rows whose class cell names the class, in
// table order. Nothing at all when no student has a class "1" to "15".
ScorePrintout BuildScorePrintout(SharedState& state, TableHost& scoreScreen);

// Prints the pages, each table's image at (10, 10). False when there was
// nothing to print.
bool PrintScorePrintout(const ScorePrintout& printout, Printer& printer);

// Prints each table on a page of its own, in one job; false when `tables` is empty.
bool PrintTablesOnePerPage(const std::vector<const StudentTable*>& tables, Printer& printer);

// Said when there is nothing to print.
QString NothingToPrintMessage();

}  // namespace gakunen
