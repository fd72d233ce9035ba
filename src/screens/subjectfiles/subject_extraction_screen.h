#pragma once

#include "screens/common/screen.h"

namespace gakunen {

class SubjectChoicePanel;

// Form6, "教科用ファイルを開く画面": a regular test file from which one
// subject's column is taken, with class, number and name, to make a subject
// file on Form7.
class SubjectExtractionScreen : public Screen {
  Q_OBJECT
 public:
  explicit SubjectExtractionScreen(AppContext& app, QWidget* parent = nullptr);
  SubjectChoicePanel* choicePanel() const { return panel_; }
  void startAfresh() override;

 signals:
  // The subject file is to be made from column `column` of this table.
  void subjectChosen(int column);

 private:
  void extract();

  SubjectChoicePanel* panel_;
};

}  // namespace gakunen
