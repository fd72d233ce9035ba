#pragma once

#include <QString>
#include <QVector>
#include <optional>

namespace gakunen {

struct SharedState;
class TableHost;

// One class of a roster with boys and girls numbered in separate ranges.
struct SeparateClassRanges {
  int firstBoy = 0;
  int lastBoy = 0;
  int firstGirl = 0;
  int lastGirl = 0;
};

// The most students a table keeps when it is loaded again.
constexpr int kMaxStudents = 998;
constexpr int kMaxClasses = 15;

// Why a roster cannot be built from the answers; nothing when it can.
std::optional<QString> CheckClassCount(int classCount);
std::optional<QString> CheckClassSize(int classNumber, int size);
std::optional<QString> CheckSeparateRanges(int classNumber, const SeparateClassRanges& ranges);
std::optional<QString> CheckTotalStudents(const QVector<int>& classSizes);

// Builds an empty three-column roster on the screen: ClassCount, ClassSizes,
// ColumnCount 3, RowCount, widths and titles; class and number of every row.
void FillMixedRoster(SharedState& state, TableHost& screen, const QVector<int>& classSizes);
void BuildSeparateRoster(SharedState& state, TableHost& screen, const QVector<SeparateClassRanges>& classes);

}  // namespace gakunen
