#pragma once

#include "model/rules/subjectfiles/viewpoints.h"

#include <QWidget>
#include <array>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace gakunen {

// The set-up controls of Form21: per data column k its viewpoint
// (Viewpoint[k]), full marks (FullMarks[k]) and weight (Weight[k]); the
// thresholds ThresholdA and ThresholdB; and Conversion[AAA] ... Conversion[CCC].
class ViewpointSetupPanel : public QWidget {
  Q_OBJECT
 public:
  explicit ViewpointSetupPanel(QWidget* parent = nullptr);

  // One row for each of these table columns, titled beside it; every control
  // shows `setup`.
  void load(const QList<int>& columns, const QStringList& titles, const subjectfiles::ViewpointSetup& setup);
  // The set-up as the controls stand.
  subjectfiles::ViewpointSetup setup() const;

 private:
  struct Row {
    int column;
    QLabel* title;
    QComboBox* viewpoint;
    QLineEdit* fullMarks;
    QLineEdit* weight;
  };

  QGridLayout* columnGrid_;
  std::vector<Row> rows_;
  QLineEdit* thresholdA_;
  QLineEdit* thresholdB_;
  std::array<QComboBox*, subjectfiles::kCombinations> conversion_{};
};

}  // namespace gakunen
