#include "screens/subjectfiles/viewpoint_setup_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

namespace gakunen {

using namespace subjectfiles;

namespace {

QLineEdit* numberBox(const QString& name, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setAttribute(Qt::WA_InputMethodEnabled, false);
  box->setMaximumWidth(56);
  return box;
}

}  // namespace

ViewpointSetupPanel::ViewpointSetupPanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* columnsBox = new QGroupBox(QStringLiteral("列ごとの観点・満点・重み"), this);
  auto* columnsLayout = new QVBoxLayout(columnsBox);
  auto* scroll = new QScrollArea(columnsBox);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* columns = new QWidget(scroll);
  columnGrid_ = new QGridLayout(columns);
  columnGrid_->setAlignment(Qt::AlignTop);
  const QStringList heads{QStringLiteral("列"), QStringLiteral("観点"), QStringLiteral("満点"), QStringLiteral("重み")};
  for (int i = 0; i < heads.size(); ++i) columnGrid_->addWidget(new QLabel(heads[i], columns), 0, i);
  scroll->setWidget(columns);
  columnsLayout->addWidget(scroll);
  layout->addWidget(columnsBox, 1);

  auto* thresholds = new QGroupBox(QStringLiteral("評価の基準（得点の割合）"), this);
  auto* thresholdForm = new QFormLayout(thresholds);
  thresholdA_ = numberBox(QStringLiteral("ThresholdA"), thresholds);
  thresholdB_ = numberBox(QStringLiteral("ThresholdB"), thresholds);
  thresholdForm->addRow(QStringLiteral("A：％以上"), thresholdA_);
  thresholdForm->addRow(QStringLiteral("B：％以上"), thresholdB_);
  layout->addWidget(thresholds);

  auto* conversion = new QGroupBox(QStringLiteral("評定への換算"), this);
  auto* conversionGrid = new QGridLayout(conversion);
  const QStringList grades{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                           QStringLiteral("5")};
  for (int i = 0; i < kCombinations; ++i) {
    const QString letters = LetterCombinations()[i];
    auto* combo = new QComboBox(conversion);
    combo->setObjectName(QStringLiteral("Conversion[%1]").arg(letters));
    combo->addItems(grades);
    conversionGrid->addWidget(new QLabel(letters, conversion), i % 5, (i / 5) * 2);
    conversionGrid->addWidget(combo, i % 5, (i / 5) * 2 + 1);
    conversion_[i] = combo;
  }
  layout->addWidget(conversion);
  load({}, {}, ViewpointSetup{});
}

void ViewpointSetupPanel::load(const QList<int>& columns, const QStringList& titles, const ViewpointSetup& setup) {
  // Removed at once, so that a control of a column that is gone is never
  // found by its name again.
  for (const Row& row : rows_) {
    delete row.title;
    delete row.viewpoint;
    delete row.fullMarks;
    delete row.weight;
  }
  rows_.clear();
  QWidget* owner = columnGrid_->parentWidget();
  for (int i = 0; i < columns.size(); ++i) {
    const int k = columns[i];
    const auto found = setup.columns.find(k);
    const ColumnSetup column = found == setup.columns.end() ? ColumnSetup{} : found->second;
    Row row{k, new QLabel(titles.value(i), owner), new QComboBox(owner),
            numberBox(QStringLiteral("FullMarks[%1]").arg(k), owner),
            numberBox(QStringLiteral("Weight[%1]").arg(k), owner)};
    row.viewpoint->setObjectName(QStringLiteral("Viewpoint[%1]").arg(k));
    row.viewpoint->addItems(ViewpointChoices());
    row.viewpoint->setCurrentIndex(static_cast<int>(column.viewpoint));
    row.fullMarks->setText(column.fullMarks);
    row.weight->setText(column.weight);
    columnGrid_->addWidget(row.title, i + 1, 0);
    columnGrid_->addWidget(row.viewpoint, i + 1, 1);
    columnGrid_->addWidget(row.fullMarks, i + 1, 2);
    columnGrid_->addWidget(row.weight, i + 1, 3);
    rows_.push_back(row);
  }
  thresholdA_->setText(setup.thresholdA);
  thresholdB_->setText(setup.thresholdB);
  for (int i = 0; i < kCombinations; ++i) conversion_[i]->setCurrentIndex(setup.conversion[i] - 1);
}

ViewpointSetup ViewpointSetupPanel::setup() const {
  ViewpointSetup setup;
  for (const Row& row : rows_)
    setup.columns[row.column] = {static_cast<Viewpoint>(row.viewpoint->currentIndex()), row.fullMarks->text(),
                                 row.weight->text()};
  setup.thresholdA = thresholdA_->text();
  setup.thresholdB = thresholdB_->text();
  for (int i = 0; i < kCombinations; ++i) setup.conversion[i] = conversion_[i]->currentIndex() + 1;
  return setup;
}

}  // namespace gakunen
