#pragma once

#include "model/rules/classdivision/new_class_work.h"
#include "screens/common/screen.h"

#include <array>

class QLineEdit;
class QPushButton;

namespace gakunen {

class GridView;

// Form16, "新クラス表示画面": the class list, one block of rows per new class,
// and the fifteen class tables MSFlexGrid2[0..14] (index = new class - 1),
// which are never shown and are what is printed per class. Beside the list
// a summary of every new class follows each move and regrouping.
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

  StudentTable& summary();

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
  void setEntryEnabled(bool on);
  void refreshSummary();

  std::array<GridView*, kMaxNewClasses> classGrids_ = {};
  GridView* summary_ = nullptr;
  QPushButton* print_ = nullptr;
  QPushButton* end_ = nullptr;
  QPushButton* byTotal_ = nullptr;
  QLineEdit* entry_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace gakunen
