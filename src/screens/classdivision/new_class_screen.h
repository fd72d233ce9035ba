#pragma once

#include "model/rules/classdivision/new_class_work.h"
#include "screens/common/screen.h"

#include <QSet>
#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gakunen {

class EntryCursor;
class GridView;

// Form16, "新クラス表示画面": the class list, one block of rows per new class,
// and the fifteen class tables MSFlexGrid2[0..14] (index = new class - 1),
// which are never shown and are what is printed per class. Beside the list
// a summary of every new class and the balance report follow each move,
// exchange and regrouping.
class NewClassScreen : public Screen {
  Q_OBJECT
 public:
  explicit NewClassScreen(AppContext& app, QWidget* parent = nullptr);

  StudentTable& classTable(int index);
  std::array<StudentTable*, kMaxNewClasses> classTables();
  // "新クラス     成績順表示" on the division screen: the class list and the
  // class tables made from the division table, shown, ready to print.
  void showClassList(const StudentTable& division);
  // The class tables match the list again: "印刷" may print them.
  void enablePrinting();
  // A saved class list was just loaded into the list: its class tables are
  // empty, so nothing can be printed, and the screen starts afresh.
  void startWithLoadedList();
  void startAfresh() override { startWithLoadedList(); }
  // 仕上げ wrote the clean copy into the list and the class tables.
  void showCleanCopy();

  StudentTable& balanceReport();

 signals:
  // "新クラス      成績順" and "新クラス   氏名順": every new class is to be
  // shown ranked in that order.
  void orderRequested(gakunen::NewClassOrder order);

 private:
  void print();
  void save();
  void moveStudent();
  void regroup();
  void startReadings();
  void enterReading();
  void showInOrder(NewClassOrder order);
  void startConditions();
  // Where the entry box writes: the column of the condition being entered,
  // else the readings; -1 when there is none.
  int entryColumn();
  void balance();
  void setEntryEnabled(bool on);
  void refreshSummary();
  // The list was made afresh: no student is held where a hand put it.
  void forgetHandMoves();

  std::array<GridView*, kMaxNewClasses> classGrids_ = {};
  GridView* report_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* end_ = nullptr;
  QPushButton* byTotal_ = nullptr;
  QLineEdit* entry_ = nullptr;
  EntryCursor* cursor_ = nullptr;
  QLabel* entryLabel_ = nullptr;  // what the entry box takes: ふりがな or a condition
  QPushButton* ok_ = nullptr;
  // What the entry box fills: the readings, or one condition.
  std::optional<Condition> entryCondition_;
  // Students the teacher moved, who stay in the class they were put in.
  QSet<QString> handMoved_;
  // Balanced since the list was made: the report goes to paper as well.
  bool balanced_ = false;
};

}  // namespace gakunen
