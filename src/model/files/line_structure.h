#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace gakunen {

// A line of a data file (or of a spreadsheet's CSV) that the reader would
// take apart wrongly. Fields are read as one stream, so a line with more or
// fewer fields than the titles moves every later cell into the wrong column,
// text after a closing quote is dropped, a quote never closed swallows the
// rest of the file, and a first student whose class does not read above 0 is
// taken into the titles.
struct LineProblem {
  enum class Kind { FieldCount, NumericTitle, TextAfterQuote, UnclosedQuote, BlankLine, FirstClass };
  Kind kind;
  int line = 0;    // counted from 1, a line break kept inside a quoted cell included
  int fields = 0;  // fields found on that line (FieldCount)
  int titles = 0;  // the column count the titles give
  int field = 0;   // the field the problem is in, from 1 (quotes, NumericTitle, FirstClass)
  QString text;    // FirstClass: what the first student's class cell holds
  // `source` names the file ("CSVファイル", "ファイル「x.dat」"); `tail` says
  // what was done about it.
  QString message(const QString& source, const QString& tail) const;
};

// Checks every line of the decoded text against `titles` fields, the count
// the header gave. Blank lines at the very end are harmless: they hold no field.
std::optional<LineProblem> CheckLineStructure(QStringView text, int titles);

// The text without the blank lines, blanks and NUL characters at its end,
// so that they are not read as a row of empty cells.
QString WithoutTrailingBlankLines(QString text);

}  // namespace gakunen
