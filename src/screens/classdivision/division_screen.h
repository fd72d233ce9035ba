#pragma once

#include "screens/common/screen.h"

class QPushButton;

namespace gakunen {

// Form13, "クラス分け抽出画面": the division table, to which further tests are
// added, then totals, ranking, serpentine dealing into new classes, grouping
// and the ranked class list handed to Form16.
class DivisionScreen : public Screen {
  Q_OBJECT
 public:
  explicit DivisionScreen(AppContext& app, QWidget* parent = nullptr);

  // A fresh division table, column `column` of the base table with class,
  // number and name, shown; the steps start again from the totals.
  void startFrom(const StudentTable& base, int column);
  // The extract of another test appended as one more test column, shown.
  void appendExtract(const StudentTable& extract);

 signals:
  // "データの追加": the file of another test was chosen.
  void addedTestChosen(const QString& path);
  // "新クラス     成績順表示": the new class display is to show the classes.
  void classListRequested();

 private:
  void startSteps();
  void renameTest();
  void addData();
  void addTotals();
  void rank();
  void deal();
  void group();
  void showClassList();
  void save();

  QPushButton* button(int number) const;

  QPushButton* buttons_[10] = {};
  int testColumns_ = 1;
};

}  // namespace gakunen
