#pragma once

#include "screens/common/screen.h"

namespace gakunen {

class ColumnChoicePanel;

// Form14, "クラス分けデータ追加画面": another test's file, from which one
// column is extracted (Form15) and appended to the division table.
class AddDataScreen : public Screen {
  Q_OBJECT
 public:
  explicit AddDataScreen(AppContext& app, QWidget* parent = nullptr);

  // Reads the other test's file and shows it in the place of `division`;
  // says why when the file cannot be read, and `division` stays.
  void openAddedTest(const QString& path, QWidget& division);

 signals:
  // Column `column` of this table is to be extracted for the division.
  void columnChosen(int column);

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

  // Shows column `column` of `test` with class, number and name.
  void showExtract(const StudentTable& test, int column);

 signals:
  // "データの追加": this extract is to be appended to the division table.
  void appendRequested();

 private:
  void append();
};

}  // namespace gakunen
