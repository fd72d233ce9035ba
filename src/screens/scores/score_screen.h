#pragma once

#include "ui/screen.h"

class QButtonGroup;
class QFrame;
class QLineEdit;

namespace gakunen {

// Form3, "点数入力画面": score entry, totals, ranking, averages and printing.
// Its buttons become available in the order the work is done: subjects,
// entry, totals, averages, then sorting and ranking (or the year-group and
// frequency figures).
class ScoreScreen : public Screen {
  Q_OBJECT
 public:
  explicit ScoreScreen(AppContext& app, QWidget* parent = nullptr);

  QLineEdit* entry() const { return entry_; }
  QPushButton* button(int number) const;

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
  void markEntryCell();

  QLineEdit* entry_ = nullptr;
  // Whether CurrentRow names a student chosen on this screen: until then it
  // may still hold a row of another screen's table, and after sorting it
  // names whoever moved into that row.
  bool entryPositionChosen_ = false;
  QFrame* subjectPanel_ = nullptr;
  QButtonGroup* subjectOptions_ = nullptr;
};

}  // namespace gakunen
