#pragma once

#include "model/rules/scores/frequency.h"
#include "screens/common/screen.h"

#include <QList>
#include <array>

class QButtonGroup;
class QFrame;
class QLabel;
class QLineEdit;

namespace gakunen {

class EntryCursor;

// Form3, "点数入力画面": score entry, totals, ranking, averages and printing.
// Its buttons become available in the order the work is done: subjects,
// entry, totals, averages, then sorting and ranking (or the year-group and
// frequency figures).
class ScoreScreen : public Screen {
  Q_OBJECT
 public:
  explicit ScoreScreen(AppContext& app, QWidget* parent = nullptr);

  QLineEdit* entry() const { return entry_; }
  // Command1 to Command15; nullptr for any other number.
  QPushButton* button(int number) const;

  // A file is being read into the table and its header was counted: a
  // table that already has subjects keeps its roster columns in place and
  // offers no second choice of subjects.
  void headerCounted();
  // The file is in and the screen shown: entry starts with the subject
  // choice, and a table that was totalled may go on to its frequencies.
  void afterLoad();
  void startAfresh() override;

 signals:
  // "テスト教科選択": the subject lists are to be offered for this table.
  void subjectsRequested();
  // "順位付け": the ranking screen takes this table, ranked, in its place.
  void rankingRequested();
  // "度数分布" counted these charts; "度数分布グラフ" shows them.
  void frequencyCounted(const QList<gakunen::FrequencyChart>& charts);
  void chartsRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openSubjectSelection();
  void showSubjectPanel();
  void takeSubjectChoice();
  void startEntry();
  void confirmEntry();
  void totals();
  void averages();
  void sortRows();
  void rank();
  void save();
  void enable(std::initializer_list<int> numbers, bool on);
  // The year-group and frequency figures, the charts and printing
  // (score_summaries.cpp).
  void yearAverages();
  void frequency();
  void showCharts();
  void print();

  static constexpr int kButtons = 16;
  std::array<QPushButton*, kButtons> buttons_{};
  QLineEdit* entry_ = nullptr;
  EntryCursor* cursor_ = nullptr;
  // ScoreNotice: what the last "集計" counted as 0.
  QLabel* notice_ = nullptr;
  // Whether CurrentRow names a student chosen on this screen: until then it
  // may still hold a row of another screen's table, and after sorting it
  // names whoever moved into that row.
  bool entryPositionChosen_ = false;
  QFrame* subjectPanel_ = nullptr;
  QButtonGroup* subjectOptions_ = nullptr;
};

}  // namespace gakunen
