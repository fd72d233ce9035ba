#pragma once

#include "classdivision/division_work.h"
#include "ui/screen.h"

#include <array>

namespace gakunen {

class GridView;

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

 private:
  void print();
  void save();
  void finish();
  void back();

  std::array<GridView*, kMaxNewClasses> classGrids_ = {};
};

}  // namespace gakunen
