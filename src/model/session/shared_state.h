#pragma once

#include <QString>
#include <QVector>
#include <array>

namespace gakunen {

class TableHost;

// What the latest work left for a later step to know: the rows appended
// under the students, the reading column, or the screen whose table the
// transfer dialog inserts into. The numbers are those it has always been
// shown with.
enum class ModeCode {
  None = 0,
  YearGroupRows = 1,   // "学年平均" appended its rows
  ReadingColumn = 2,   // the class list carries its reading column
  FrequencyRows = 3,   // "度数分布" appended its rows
  TransferClosed = 4,  // the transfer dialog was put away without a student
  TransferIntoRoster = 5,
  TransferIntoSubjectFile = 6,
  TransferIntoDivisionBase = 7,
  TransferIntoAddedTest = 8,
  TransferIntoQuiz = 9,
};

// The values every screen shares. They always describe the table most
// recently loaded, built or changed. One instance, owned by the application.
struct SharedState {
  int ColumnCount = 0;
  int RowCount = 0;  // header row included
  TableHost* CurrentForm = nullptr;
  std::array<QString, 24> RowCells;
  int CurrentRow = 0;
  int ClassCount = 0;
  QVector<int> ClassSizes;  // index = class number - 1
  int BaseColumnCount = 0;
  gakunen::ModeCode ModeCode = gakunen::ModeCode::None;
  int EntryColumn = 0;
};

}  // namespace gakunen
