#pragma once

#include <QGroupBox>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace gakunen {

// The subject choice panel Frame1: the nine subjects as the options
// Option1[0] to Option1[8] and the button that takes the choice.
class SubjectChoicePanel : public QGroupBox {
  Q_OBJECT
 public:
  SubjectChoicePanel(const QString& okName, const QString& okTooltip, QWidget* parent = nullptr);

  // No option selected.
  void clearChoice();
  // Index of the selected option (0 to 8), -1 when none is.
  int chosen() const;
  QPushButton* okButton() const { return ok_; }
  QRadioButton* option(int index) const;

 private:
  QButtonGroup* group_;
  QPushButton* ok_;
};

}  // namespace gakunen
