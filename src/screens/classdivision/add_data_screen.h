#pragma once

#include "ui/screen.h"

namespace gakunen {

class ColumnChoicePanel;

// Form14, "クラス分けデータ追加画面": another test's file, from which one
// column is extracted (Form15) and appended to the division table.
class AddDataScreen : public Screen {
  Q_OBJECT
 public:
  explicit AddDataScreen(AppContext& app, QWidget* parent = nullptr);

 private:
  void extract();
  void addTransferStudent();

  ColumnChoicePanel* panel_;
};

// Form15, "クラス分け追加データ抽出画面": the extract, appended to the
// division table by its one button.
class AddedExtractScreen : public Screen {
  Q_OBJECT
 public:
  explicit AddedExtractScreen(AppContext& app, QWidget* parent = nullptr);

 private:
  void append();
};

}  // namespace gakunen
