#pragma once

#include "ui/screen.h"

#include <optional>

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
  // panel hidden; the message to show when it cannot be read.
  std::optional<QString> loadOtherTest(const QString& path, QString* notice = nullptr);

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

 private:
  void append();
};

}  // namespace gakunen
