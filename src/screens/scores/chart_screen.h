#pragma once

#include "model/rules/scores/frequency.h"

#include <QList>
#include <QWidget>

class QGridLayout;

namespace gakunen {

class AppContext;
class BarChart;

// Form19, "度数分布グラフ画面": one bar chart per column that "度数分布"
// counted (MSChart1[0], [1], ...). Subjects take slots 0 to 4, the total
// slot 5, further subjects the slots after it; there are never fewer than
// six slots, and a slot that received nothing is not shown. The charts
// stand on a sheet of their own beside the buttons: "印刷" prints the
// sheet, so the page holds the charts alone.
class ChartScreen : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kMinSlots = 6;
  static constexpr int kTotalSlot = 5;

  explicit ChartScreen(AppContext& app, QWidget* parent = nullptr);

  // Replaces every chart with those of the last "度数分布".
  void setCharts(const QList<FrequencyChart>& charts);
  // The slot a chart goes to: subject j (from 0) or the total.
  static int slotFor(int subjectIndex, bool total);

  int slotCount() const { return static_cast<int>(views_.size()); }
  BarChart* chartSlot(int index) const;
  // What slot `index` shows; an empty title and no counts when it got nothing.
  FrequencyChart slotData(int index) const;

 signals:
  // "戻る": the score screen is shown again in this one's place.
  void backRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ensureSlots(int count);
  void print();

  AppContext& app_;
  QWidget* sheet_ = nullptr;
  QGridLayout* charts_ = nullptr;
  QList<BarChart*> views_;
  QList<FrequencyChart> data_;
};

}  // namespace gakunen
