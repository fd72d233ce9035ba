#pragma once

#include <QString>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;

namespace spreadsheet {

// Reads a CSV (code page 932, or UTF-8 with or without a byte-order mark)
// into the screen's table with the data file reader, 2 fixed columns and the
// standard widths. On any problem the table and the counts stay as they were
// and the message to show is returned. Lines the data file reader would take
// apart wrongly are refused, naming the line. `notice` receives what the
// teacher is told after a file with more students than a table keeps.
std::optional<QString> ImportSpreadsheet(SharedState& state, TableHost& screen, const QString& path,
                                         QString* notice = nullptr);

}  // namespace spreadsheet
}  // namespace gakunen
