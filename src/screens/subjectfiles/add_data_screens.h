#pragma once

#include "screens/common/screen.h"

#include <QPointer>

namespace gakunen {

class SubjectChoicePanel;

// Form8, "教科用ファイルデータの追加ファイル表示画面": another test file, from
// which the subject's column is taken for the subject file on Form7.
class AddDataDisplayScreen : public Screen {
  Q_OBJECT
 public:
  explicit AddDataDisplayScreen(AppContext& app, QWidget* parent = nullptr);
  SubjectChoicePanel* choicePanel() const { return panel_; }

  // Reads the other test file (second data file channel) with the choice
  // panel hidden and shows it; says why when it cannot be read.
  void openOtherTest(const QString& path);

 signals:
  // The column of subject `column` of this table is to go to the subject file.
  void subjectChosen(int column);
  // "前に戻る": back to the subject file.
  void backRequested();

 private:
  void extract();

  SubjectChoicePanel* panel_;
};

// Form9, "教科用ファイルデータ追加教科選択後画面": the chosen subject's column
// of the other test, ready to be appended to the subject file.
class AddDataExtractScreen : public Screen {
  Q_OBJECT
 public:
  explicit AddDataExtractScreen(AppContext& app, QWidget* parent = nullptr);

  // Shows column `column` of `test` with class, number and name, to be
  // appended to the table of `subjectFile`.
  void showExtract(const StudentTable& test, int column, Screen& subjectFile);

 private:
  void append();

  QPointer<Screen> subjectFile_;
};

}  // namespace gakunen
