#pragma once

#include "screens/common/screen.h"

namespace gakunen {

class ColumnChoicePanel;

// Form12, "クラス分け画面": the base score file, from which the column the
// division rests on is extracted into the division table of Form13.
class BaseDataScreen : public Screen {
  Q_OBJECT
 public:
  explicit BaseDataScreen(AppContext& app, QWidget* parent = nullptr);
  void startAfresh() override;

 signals:
  // The division is to rest on column `column` of this table.
  void basisChosen(int column);

 private:
  void extract();
  void addTransferStudent();

  ColumnChoicePanel* panel_;
};

}  // namespace gakunen
