#include "model/rules/classdivision/balance_report.h"

#include "model/rules/classdivision/class_balance.h"
#include "model/rules/classdivision/conditions.h"
#include "model/rules/classdivision/new_class_work.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/class_sizes.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QHash>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace gakunen {

using namespace class_list;

namespace {

// The goal of the means: every class within this many points of the year's.
constexpr double kMeanTolerance = 1.0;

using Counts = std::vector<int>;  // one per new class, index = class - 1

struct ApartGroup {
  QString code;
  Counts perClass;
  int size = 0;
};

// Everything the report and the goals are made of, counted from the list.
struct Figures {
  int classCount = 0;
  bool ranked = false;
  ConditionColumns conditions;
  Counts students, boys, girls, care, apartShared, scored;
  std::vector<double> sums;
  QStringList oldClasses;
  std::vector<Counts> old;              // per old class
  std::vector<ApartGroup> apartGroups;  // codes two or more students share
  double yearMean = 0;
  int yearScored = 0;

  bool has(Condition c) const { return conditions[c] >= 0; }
  std::optional<double> mean(int k) const {
    if (scored[static_cast<size_t>(k)] == 0) return std::nullopt;
    return sums[static_cast<size_t>(k)] / scored[static_cast<size_t>(k)];
  }
  bool meanBreaks(int k) const {
    const auto m = mean(k);
    return m && yearScored > 0 && std::abs(*m - yearMean) > kMeanTolerance + 1e-9;
  }
};

Figures countFigures(const StudentTable& list) {
  Figures f;
  f.ranked = HasRankingColumns(list);
  for (int r = 1; r < list.rows(); ++r) f.classCount = std::max(f.classCount, PlainClassNumber(list.text(r, kClass)));
  const size_t n = static_cast<size_t>(f.classCount);
  f.students = f.boys = f.girls = f.care = f.apartShared = f.scored = Counts(n, 0);
  f.sums = std::vector<double>(n, 0.0);
  if (f.ranked) {
    f.conditions = ListConditionColumns(list);
    f.oldClasses = OldClassesInOrder(list);
  }
  f.old = std::vector<Counts>(static_cast<size_t>(f.oldClasses.size()), Counts(n, 0));
  QHash<QString, size_t> groupOf;
  double yearSum = 0;
  for (int r = 1; r < list.rows(); ++r) {
    const int k = PlainClassNumber(list.text(r, kClass));
    if (k == 0) continue;
    const size_t i = static_cast<size_t>(k - 1);
    ++f.students[i];
    if (!f.ranked) continue;
    const QString& total = list.text(r, kTotal);
    if (!total.isEmpty()) {
      ++f.scored[i];
      f.sums[i] += TextValue(total);
      yearSum += TextValue(total);
      ++f.yearScored;
    }
    const qsizetype o = f.oldClasses.indexOf(list.text(r, kOldClass).trimmed());
    if (o >= 0) ++f.old[static_cast<size_t>(o)][i];
    if (f.has(Condition::Sex)) {
      const Sex sex = ReadSex(list.text(r, f.conditions[Condition::Sex]));
      if (sex == Sex::Boy) ++f.boys[i];
      if (sex == Sex::Girl) ++f.girls[i];
    }
    if (f.has(Condition::Care) && NeedsCare(list.text(r, f.conditions[Condition::Care]))) ++f.care[i];
    if (f.has(Condition::Apart)) {
      const QString code = ApartCode(list.text(r, f.conditions[Condition::Apart]));
      if (code.isEmpty()) continue;
      auto it = groupOf.find(code);
      if (it == groupOf.end()) {
        it = groupOf.insert(code, f.apartGroups.size());
        f.apartGroups.push_back({code, Counts(n, 0), 0});
      }
      ApartGroup& g = f.apartGroups[it.value()];
      ++g.perClass[i];
      ++g.size;
    }
  }
  f.yearMean = f.yearScored > 0 ? yearSum / f.yearScored : 0;
  std::erase_if(f.apartGroups, [](const ApartGroup& g) { return g.size < 2; });
  for (const ApartGroup& g : f.apartGroups)
    for (size_t i = 0; i < n; ++i)
      if (g.perClass[i] >= 2) f.apartShared[i] += g.perClass[i];
  return f;
}

// A count breaks the evenness goal when another class's is more than one away.
bool unevenAt(const Counts& counts, size_t i) {
  if (counts.empty()) return false;
  const auto [lo, hi] = std::minmax_element(counts.begin(), counts.end());
  return counts[i] - *lo > 1 || *hi - counts[i] > 1;
}
bool uneven(const Counts& counts) {
  if (counts.empty()) return false;
  const auto [lo, hi] = std::minmax_element(counts.begin(), counts.end());
  return *hi - *lo > 1;
}

int sum(const Counts& counts) { return std::accumulate(counts.begin(), counts.end(), 0); }

QString figure(int value, bool breaks) { return QString::number(value) + (breaks ? BreachMark() : QString()); }

}  // namespace

QString BreachMark() { return QStringLiteral("＊"); }

QString StudentKey(const StudentTable& list, int row) {
  return list.text(row, kOldClass) + u'\t' + list.text(row, kName) + u'\t' + list.text(row, kTotal);
}

void FillBalanceReport(const StudentTable& list, StudentTable& report) {
  const Figures f = countFigures(list);
  QStringList header{QStringLiteral("新組"), QStringLiteral("人数")};
  if (f.has(Condition::Sex)) header << QStringLiteral("男") << QStringLiteral("女");
  if (f.has(Condition::Care)) header << ConditionTitle(Condition::Care);
  if (f.has(Condition::Apart)) header << ConditionTitle(Condition::Apart);
  if (f.ranked) header << QStringLiteral("平均");
  for (const QString& old : f.oldClasses) header << OldClassTitle(old);
  const int columns = static_cast<int>(header.size());

  std::vector<QString> cells(header.begin(), header.end());
  auto append = [&](QStringList row) {
    for (const QString& cell : row) cells.push_back(cell);
  };
  for (int k = 1; k <= f.classCount; ++k) {
    const size_t i = static_cast<size_t>(k - 1);
    QStringList row{QString::number(k), QString::number(f.students[i])};
    if (f.has(Condition::Sex))
      row << figure(f.boys[i], unevenAt(f.boys, i)) << figure(f.girls[i], unevenAt(f.girls, i));
    if (f.has(Condition::Care)) row << figure(f.care[i], unevenAt(f.care, i));
    if (f.has(Condition::Apart)) row << figure(f.apartShared[i], f.apartShared[i] > 0);
    if (f.ranked) {
      const auto mean = f.mean(k - 1);
      row << (mean ? FormatAverage(*mean) + (f.meanBreaks(k - 1) ? BreachMark() : QString()) : QString());
    }
    for (const Counts& old : f.old) row << figure(old[i], unevenAt(old, i));
    append(row);
  }
  QStringList total{QStringLiteral("計"), QString::number(sum(f.students))};
  if (f.has(Condition::Sex)) total << QString::number(sum(f.boys)) << QString::number(sum(f.girls));
  if (f.has(Condition::Care)) total << QString::number(sum(f.care));
  if (f.has(Condition::Apart)) total << QString::number(sum(f.apartShared));
  if (f.ranked) total << (f.yearScored > 0 ? FormatAverage(f.yearMean) : QString());
  for (const Counts& old : f.old) total << QString::number(sum(old));
  append(total);

  BulkChange bulk(report);
  const int rows = static_cast<int>(cells.size()) / columns;
  report.assign(rows, columns, std::move(cells));
  for (int c = 0; c < columns; ++c) report.setColWidth(c, 500);
  if (f.ranked) report.setColWidth(static_cast<int>(header.indexOf(QStringLiteral("平均"))), 600);
  for (int c = columns - static_cast<int>(f.oldClasses.size()); c < columns; ++c) report.setColWidth(c, 600);
}

QStringList UnmetGoals(const StudentTable& list) {
  const Figures f = countFigures(list);
  QStringList unmet;
  for (const ApartGroup& g : f.apartGroups) {
    if (*std::max_element(g.perClass.begin(), g.perClass.end()) < 2) continue;
    unmet << (g.size > f.classCount
                  ? QStringLiteral("離す「%1」の%2人は、%3クラスでは全員を別々の組にできません。")
                        .arg(g.code)
                        .arg(g.size)
                        .arg(f.classCount)
                  : QStringLiteral("離す「%1」の%2人を別々の組にできませんでした。").arg(g.code).arg(g.size));
  }
  if (f.has(Condition::Sex) && uneven(f.boys)) unmet << QStringLiteral("男子の人数の差を1人以内にできませんでした。");
  if (f.has(Condition::Sex) && uneven(f.girls)) unmet << QStringLiteral("女子の人数の差を1人以内にできませんでした。");
  if (f.has(Condition::Care) && uneven(f.care))
    unmet << QStringLiteral("配慮の生徒の人数の差を1人以内にできませんでした。");
  for (size_t o = 0; o < f.old.size(); ++o)
    if (uneven(f.old[o]))
      unmet << QStringLiteral("%1の生徒の人数の差を1人以内にできませんでした。").arg(OldClassTitle(f.oldClasses[o]));
  for (int k = 1; k <= f.classCount; ++k)
    if (f.meanBreaks(k - 1))
      unmet << QStringLiteral("%1組の合計の平均（%2）が、学年の平均（%3）から1.0点より離れています。")
                   .arg(k)
                   .arg(FormatAverage(*f.mean(k - 1)), FormatAverage(f.yearMean));
  return unmet;
}

QString BalanceMessage(const QStringList& unmet) {
  if (unmet.isEmpty()) return QStringLiteral("バランス調整が終わりました。すべての目標を満たしています。");
  return QStringLiteral("バランス調整をしました。次のことはできなかったため、いちばんよい組分けを残しました。\n") +
         unmet.join(u'\n');
}

std::optional<QString> CheckBalance(const StudentTable& list) {
  if (!HasRankingColumns(list))
    return QStringLiteral("この表には「合計」と「旧組」の列がないため、バランス調整はできません。");
  int classes = 0;
  for (int r = 1; r < list.rows(); ++r) classes = std::max(classes, PlainClassNumber(list.text(r, kClass)));
  if (classes < 2) return QStringLiteral("新クラスが2つ以上ないため、バランス調整はできません。");
  return std::nullopt;
}

QStringList BalanceClassList(SharedState& state, TableHost& screen, const QSet<QString>& handMoved,
                             const std::array<StudentTable*, kMaxNewClasses>& classTables) {
  StudentTable& list = screen.table();
  if (CheckBalance(list)) return {};
  const ConditionColumns conditions = ListConditionColumns(list);

  // Categories as small numbers, in the order the rows give them, so that
  // the same list always gives the same search.
  QHash<QString, int> codeCount;
  if (conditions[Condition::Apart] >= 0)
    for (int r = 1; r < list.rows(); ++r)
      if (PlainClassNumber(list.text(r, kClass)) > 0) {
        const QString code = ApartCode(list.text(r, conditions[Condition::Apart]));
        if (!code.isEmpty()) ++codeCount[code];
      }
  QHash<QString, int> apartIndex, oldIndex;
  auto indexIn = [](QHash<QString, int>& index, const QString& key) {
    auto it = index.find(key);
    if (it == index.end()) it = index.insert(key, static_cast<int>(index.size()));
    return it.value();
  };
  std::vector<int> rows;
  std::vector<BalanceStudent> students;
  int classCount = 0;
  for (int r = 1; r < list.rows(); ++r) {
    const int k = PlainClassNumber(list.text(r, kClass));
    if (k == 0) continue;
    classCount = std::max(classCount, k);
    BalanceStudent s;
    s.newClass = k - 1;
    s.scored = !list.text(r, kTotal).isEmpty();
    s.total = TextValue(list.text(r, kTotal));
    if (conditions[Condition::Sex] >= 0) {
      const Sex sex = ReadSex(list.text(r, conditions[Condition::Sex]));
      s.sex = sex == Sex::Boy ? 0 : sex == Sex::Girl ? 1 : -1;
    }
    s.care = conditions[Condition::Care] >= 0 && NeedsCare(list.text(r, conditions[Condition::Care]));
    if (conditions[Condition::Apart] >= 0) {
      const QString code = ApartCode(list.text(r, conditions[Condition::Apart]));
      // A code nobody else has keeps no one apart.
      if (codeCount.value(code) >= 2) s.apart = indexIn(apartIndex, code);
    }
    s.oldClass = indexIn(oldIndex, list.text(r, kOldClass).trimmed());
    s.fixed = handMoved.contains(StudentKey(list, r));
    rows.push_back(r);
    students.push_back(s);
  }
  const std::vector<int> classes = BalanceClasses(students, classCount);

  {
    BulkChange bulk(list);
    for (size_t i = 0; i < rows.size(); ++i) list.setText(rows[i], kClass, QString::number(classes[i] + 1));
    // Grouped by class, each class by total, highest first (both sorts keep
    // the order of equals), and numbered in that order.
    list.sortRows(kTotal, SortOrder::Descending);
    list.sortRows(kClass, SortOrder::Ascending);
    std::array<int, kMaxNewClasses> numbers{};
    for (int r = 1; r < list.rows(); ++r)
      if (const int k = PlainClassNumber(list.text(r, kClass)))
        list.setText(r, kNumber, QString::number(++numbers[static_cast<size_t>(k - 1)]));
  }
  // The class tables that "印刷" prints follow the balanced classes.
  StudentTable ranked;
  RankNewClasses(state, list, NewClassOrder::ByTotal, classTables, ranked);
  state.ColumnCount = list.cols();
  state.RowCount = list.rows();
  state.ClassSizes = QVector<int>(kMaxNewClasses, 0);
  CountClassSizes(state, screen);
  return UnmetGoals(list);
}

}  // namespace gakunen
