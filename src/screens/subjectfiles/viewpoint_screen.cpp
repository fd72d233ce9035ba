#include "screens/subjectfiles/viewpoint_screen.h"

#include "model/ports/dialogs.h"
#include "model/rules/roster/name_entry.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/printing_scope.h"
#include "screens/subjectfiles/viewpoint_setup_panel.h"
#include "ui/grid_view.h"
#include "ui/screen_printer.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace gakunen {

using namespace subjectfiles;

ViewpointScreen::ViewpointScreen(AppContext& app, QWidget* parent)
    : Screen(app, QStringLiteral("Form21"), QStringLiteral("観点別評価画面"), parent) {
  panel_ = new ViewpointSetupPanel(this);
  panel_->setFixedWidth(380);
  mainLayout()->insertWidget(1, panel_);

  auto* compute = addButton(QStringLiteral("ViewpointCompute"), QStringLiteral("計算"),
                            QStringLiteral("三つの観点の評価と評定を計算して、表の右に書き込みます"));
  recompute_ = new QCheckBox(QStringLiteral("手で変えた評価も\n計算し直す"), this);
  recompute_->setObjectName(QStringLiteral("RecomputeHandChanges"));
  buttonColumn()->addWidget(recompute_);
  auto* entryLabel = new QLabel(QStringLiteral("選んだセルの評価\n（A・B・C、評定は1～5）"), this);
  buttonColumn()->addWidget(entryLabel);
  entry_ = new QLineEdit(this);
  entry_->setObjectName(QStringLiteral("HandEntry"));
  entry_->setMaximumWidth(120);
  entry_->installEventFilter(this);
  entryLabel->setBuddy(entry_);
  buttonColumn()->addWidget(entry_);
  auto* store = addButton(QStringLiteral("HandEntryOk"), QStringLiteral("OK"),
                          QStringLiteral("選んだセルを、入力した評価に変えます"));
  auto* print = addButton(QStringLiteral("ViewpointPrint"), QStringLiteral("印刷"),
                          QStringLiteral("クラスごとに1枚ずつ印刷します"));
  auto* back =
      addButton(QStringLiteral("ViewpointBack"), QStringLiteral("戻る"), QStringLiteral("もとの画面に戻ります"));

  connect(compute, &QPushButton::clicked, this, &ViewpointScreen::compute);
  connect(store, &QPushButton::clicked, this, &ViewpointScreen::storeHandChange);
  connect(print, &QPushButton::clicked, this, &ViewpointScreen::print);
  connect(back, &QPushButton::clicked, this, &ViewpointScreen::goBack);
  resize(1000, 640);
}

bool ViewpointScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == entry_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      storeHandChange();
      return true;
    }
  }
  return Screen::eventFilter(watched, event);
}

void ViewpointScreen::openFor(Screen& host) {
  host_ = &host;
  loadPanel(records_[&host]);
  refresh();
  host.hide();
  show();
  raise();
}

void ViewpointScreen::hostOpened(Screen& host, const QString& path) {
  HostRecord& record = records_[&host];
  record.record = {};
  record.setUp = false;
  ++record.generation;
  if (!path.isEmpty()) {
    SettingsRead read = ReadViewpointSettings(path);
    if (read.record) {
      record.record = std::move(*read.record);
      record.setUp = true;
    }
    if (!read.problem.isEmpty()) dialogs().message(read.problem);
  }
}

void ViewpointScreen::hostSaved(Screen& host, const QString& path) {
  const auto found = records_.find(&host);
  if (found != records_.end() && found->second.setUp) {
    if (auto problem = WriteViewpointSettings(path, found->second.record)) dialogs().message(*problem);
    return;
  }
  // A set-up left beside the file this one replaced belongs to another table:
  // read back with it, its hand marks would keep letters that are not there.
  if (auto problem = RemoveViewpointSettings(path)) dialogs().message(*problem);
}

void ViewpointScreen::loadPanel(HostRecord& record) {
  const StudentTable& table = host_->table();
  const QList<int> columns = SetupColumns(table);
  QStringList titles;
  for (int k : columns) {
    const QString title = table.text(0, k);
    titles << (title.isEmpty() ? QStringLiteral("%1番目").arg(k - 2) : title);
  }
  // Typed but not yet computed, the set-up stays as long as the columns do.
  if (panelHost_ == host_ && panelGeneration_ == record.generation && panelColumns_ == titles) return;
  panel_->load(columns, titles, record.record.setup);
  panelHost_ = host_;
  panelGeneration_ = record.generation;
  panelColumns_ = titles;
}

void ViewpointScreen::compute() {
  if (!host_) return;
  HostRecord& record = records_[host_];
  const ViewpointSetup setup = panel_->setup();
  const bool recompute = recompute_->isChecked();
  const ViewpointRun run = ApplyViewpoints(host_->table(), setup, recompute ? HandMarks{} : record.record.marks);
  if (!run.refusal.isEmpty()) {
    dialogs().message(run.refusal);
    return;
  }
  if (recompute) record.record.marks.clear();
  // Checked for one run only: the next "計算" keeps what is typed by hand again.
  recompute_->setChecked(false);
  record.record.setup = setup;
  record.setUp = true;
  if (run.appendedColumns > 0) {
    // The subject file screen saves BaseColumnCount columns.
    state().ColumnCount = host_->table().cols();
    state().BaseColumnCount = host_->table().cols();
  }
  refresh();
  // The letters come into sight, their first cell ready for a change by hand.
  const std::array<int, kResults> results = ResultColumns(table());
  if (grid()->currentCol() < results[0] && table().rows() > 1) {
    grid()->setCurrentCell(1, results[kGradeResult]);
    grid()->setCurrentCell(1, results[0]);
  }
  if (run.unreadCells > 0)
    dialogs().message(
        QStringLiteral("数として読めないセルが%1個ありました。そのセルは未実施として、計算に入れていません。")
            .arg(run.unreadCells));
}

void ViewpointScreen::storeHandChange() {
  if (!host_) return;
  HostRecord& record = records_[host_];
  const int row = grid()->currentRow();
  const int col = grid()->currentCol();
  if (auto refusal =
          ApplyHandChange(host_->table(), row, col, entry_->text(), record.record.setup, record.record.marks)) {
    dialogs().message(*refusal);
    return;
  }
  record.setUp = true;
  entry_->clear();
  refresh();
  // On down the column, as scores are typed.
  grid()->setCurrentCell(row + 1 < table().rows() ? row + 1 : row, col);
  entry_->setFocus();
}

void ViewpointScreen::print() {
  if (!host_) return;
  state().ColumnCount = host_->table().cols();
  state().RowCount = host_->table().rows();
  const std::vector<ClassPage> pages = BuildClassPages(state(), *host_);
  if (pages.empty()) {
    dialogs().message(NoClassPagesMessage());
    return;
  }
  BusyScope busy(app_);
  PrintingScope printing(*host_);
  PrintClassPages(pages, printing.printer());
}

void ViewpointScreen::goBack() {
  hide();
  if (host_) host_->show();
}

void ViewpointScreen::refresh() {
  table().copyFrom(host_->table());
  // Class, number and name stay in sight beside the letters being typed.
  table().setFixedCols(std::min(table().cols(), 3));
  // A view of the host's table: the host holds the changes and saves them.
  table().setModified(false);
  grid()->setMarkedCells(MarkedCells(host_->table(), records_[host_].record.marks),
                         QStringLiteral("手で変えた評価です。「計算」では変わりません。"));
}

}  // namespace gakunen
