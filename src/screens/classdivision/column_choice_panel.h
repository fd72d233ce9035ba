#pragma once

#include <QGroupBox>
#include <QString>
#include <optional>

class QPushButton;
class QRadioButton;

namespace gakunen {

class Dialogs;
class StudentTable;

// The selection panel Frame1 of the class-division screens: Label1, the ten
// options Option1[0..9] ("合計" and the nine subjects) and the OK button
// Command3. Hidden until the screen's "データの抽出" shows it.
class ColumnChoicePanel : public QGroupBox {
  Q_OBJECT
 public:
  explicit ColumnChoicePanel(QWidget* parent = nullptr);
  QPushButton* okButton() const { return ok_; }
  // The caption of the first chosen option in index order; nothing when none is.
  std::optional<QString> chosenCaption() const;
  // The column of `table` that bears the chosen caption. When no option is
  // chosen or no column bears it, says so and shows the panel again.
  std::optional<int> chosenColumn(const StudentTable& table, int columnCount, Dialogs& dialogs);

 private:
  QRadioButton* options_[10] = {};
  QPushButton* ok_ = nullptr;
};

}  // namespace gakunen
