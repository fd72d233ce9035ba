#pragma once

#include <QString>
#include <QStringView>

namespace gakunen {

// How a cell of a score column will be counted. Totals read every cell by
// the leading-number rule (TextValue), so a text that does not begin with a
// number counts as 0 and one beyond the scale counts as written; both are
// worth a word to the teacher before they go into a total.
enum class ScoreReading {
  Score,       // empty, or a number from 0 to 100 at the start
  NotANumber,  // counted as 0
  OffScale,    // a number above 100 or below 0, counted as it is
};

ScoreReading ReadScore(QStringView text);

// What the teacher is told about a cell that does not read as a score;
// empty for one that does.
QString ScoreNote(QStringView text);

// The full-width digits "０" to "９" as "0" to "9"; every other character as it is.
QString HalfWidthDigits(QStringView text);

}  // namespace gakunen
