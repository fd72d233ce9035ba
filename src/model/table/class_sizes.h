#pragma once

#include <QString>

namespace gakunen {

struct SharedState;
class TableHost;

// Counts the students of each class of the screen's table into ClassSizes
// (index = class number - 1) and sets ClassCount to the class of the last
// counted row. Only class cells that read exactly "1" to "15" count, so
// summary rows at the bottom and blank rows are passed over. The caller
// first makes ClassSizes hold 15 places, all 0.
void CountClassSizes(SharedState& state, TableHost& screen);

// 1..15 for a class cell written plainly, 0 for anything else: no blanks,
// no leading zeros, no signs, no full-width digits.
int PlainClassNumber(const QString& text);

}  // namespace gakunen
