#pragma once

#include "screens/common/screen.h"

namespace gakunen {

// Form11, "EXCELからの読み込み画面": a table a spreadsheet saved as CSV, read
// with the data file reader and saved in the program's own format.
class ImportScreen : public Screen {
  Q_OBJECT
 public:
  explicit ImportScreen(AppContext& app, QWidget* parent = nullptr);

 private:
  void read();
  void save();
};

}  // namespace gakunen
