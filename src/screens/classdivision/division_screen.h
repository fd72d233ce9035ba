#pragma once

#include "ui/screen.h"

class QPushButton;

namespace gakunen {

// Form13, "クラス分け抽出画面": the division table, to which further tests are
// added, then totals, ranking, serpentine dealing into new classes, grouping
// and the ranked class list handed to Form16.
class DivisionScreen : public Screen {
  Q_OBJECT
 public:
  explicit DivisionScreen(AppContext& app, QWidget* parent = nullptr);

  // A fresh division table has arrived from the base-data screen: the steps
  // start again from the totals.
  void startDivision();
  // Form15 appended one more test column.
  void testAppended() { ++testColumns_; }

 private:
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
