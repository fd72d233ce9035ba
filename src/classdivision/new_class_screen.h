#pragma once

#include "classdivision/division_work.h"
#include "ui/screen.h"

#include <array>

namespace gakunen {

class GridView;

// Form16, "新クラス表示画面": the class list, one block of rows per new class,
// and the fifteen class tables MSFlexGrid2[0..14] (index = new class - 1),
// which are never shown and are what is printed per class.
class NewClassScreen : public Screen {
  Q_OBJECT
 public:
  explicit NewClassScreen(AppContext& app, QWidget* parent = nullptr);

  StudentTable& classTable(int index);
  std::array<StudentTable*, kMaxNewClasses> classTables();
  // The class tables match the list again: "印刷" may print them.
  void enablePrinting();

 private:
  std::array<GridView*, kMaxNewClasses> classGrids_ = {};
};

}  // namespace gakunen
