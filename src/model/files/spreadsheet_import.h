#pragma once

#include <QString>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;

namespace spreadsheet {

// A line of a spreadsheet's CSV that the data file reader would take apart
// wrongly: fields are read as one stream, so a line with more or fewer fields
// than the titles moves every later cell into the wrong column, and text after
// a closing quote (a quote doubled inside a cell) is dropped.
struct LineProblem {
  enum class Kind { FieldCount, NumericTitle, TextAfterQuote, UnclosedQuote };
  Kind kind;
  int line = 0;    // counted from 1
  int fields = 0;  // fields found on that line (FieldCount)
  int titles = 0;  // the column count the titles give
  QString message() const;
};

// Checks every line of the decoded text against `titles` fields. Blank lines
// at the very end are harmless (the reader drops an incomplete last row).
std::optional<LineProblem> CheckSpreadsheetLines(const QString& text, int titles);

// Reads a CSV (code page 932, or UTF-8 with or without a byte-order mark)
// into the screen's table with the data file reader, 2 fixed columns and the
// standard widths. On any problem the table and the counts stay as they were
// and the message to show is returned.
std::optional<QString> ImportSpreadsheet(SharedState& state, TableHost& screen, const QString& path);

}  // namespace spreadsheet
}  // namespace gakunen
