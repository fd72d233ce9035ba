#pragma once

#include "screens/common/screen.h"

#include <QStringList>

namespace gakunen {

// Form7, "教科選択画面": a subject file, the roster and one column per test
// of one subject. Saved here, given transfer students, further tests
// (through Form8 and Form9) and names for its test columns.
class SubjectFileScreen : public Screen {
  Q_OBJECT
 public:
  explicit SubjectFileScreen(AppContext& app, QWidget* parent = nullptr);
  // The name "列名変更" gave last, at index test - 1.
  const QStringList& TestNames() const { return testNames_; }

  // The subject file made from column `column` of a test table, shown.
  void showSubjectOf(const StudentTable& test, int column);
  void startAfresh() override;

 signals:
  // "データの追加": another test's file was chosen to take a column from.
  void otherTestChosen(const QString& path);
  // "観点別評価": Form21 is to work on this table.
  void viewpointsRequested();

 private:
  void save();
  void addTransferStudent();
  void addDataFromAnotherTest();

  QStringList testNames_;
};

}  // namespace gakunen
