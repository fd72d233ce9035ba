#pragma once

#include "model/rules/classdivision/new_class_work.h"
#include "screens/common/screen.h"

#include <QPointer>
#include <array>

namespace gakunen {

class GridView;
class NewClassScreen;

// Form17, "生徒入れ替え後表示": every new class ranked afresh (by total or in
// reading order) after the swaps on the new class display. It prints one
// sheet per class from its class tables MSFlexGrid2[0..14], saves the list
// and writes the clean copy (組, 番, 生徒氏名) back to the new class display.
class AfterSwapScreen : public Screen {
  Q_OBJECT
 public:
  explicit AfterSwapScreen(AppContext& app, QWidget* parent = nullptr);

  StudentTable& classTable(int index);
  std::array<StudentTable*, kMaxNewClasses> classTables();

  // Every new class of `display`'s list ranked in `order`, shown; "仕上げ"
  // and "前に戻る" go back to `display`.
  void showRanked(NewClassScreen& display, NewClassOrder order);

 private:
  void print();
  void save();
  void finish();
  void back();

  std::array<GridView*, kMaxNewClasses> classGrids_ = {};
  QPointer<NewClassScreen> display_;
};

}  // namespace gakunen
