#include "screens/common/screen.h"

#include "model/ports/dialogs.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/common/guide_button.h"
#include "ui/grid_view.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

namespace {
// Tall enough for a finger-free mouse click, short enough that the longest
// button column (the score screen's) fits a 1024×768 display.
constexpr int kButtonHeight = 30;
}  // namespace

Screen::Screen(AppContext& app, const QString& formName, const QString& caption, QWidget* parent)
    : QWidget(parent), app_(app) {
  setObjectName(formName);
  setWindowTitle(caption);
  auto* outer = new QVBoxLayout(this);
  mainLayout_ = new QHBoxLayout;
  outer->addLayout(mainLayout_, 1);
  grid_ = new GridView(this);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  mainLayout_->addWidget(grid_, 1);
  buttons_ = new QVBoxLayout;
  buttons_->setAlignment(Qt::AlignTop);
  mainLayout_->addLayout(buttons_);

  auto* statusRow = new QHBoxLayout;
  fileStatus_ = new QLabel(this);
  fileStatus_->setObjectName(QStringLiteral("FileStatus"));
  fileStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusRow->addWidget(fileStatus_, 1);
  statusRow->addWidget(AddGuideButton(app_, *this));
  outer->addLayout(statusRow);
  connect(&table(), &StudentTable::modifiedChanged, this, &Screen::refreshStatus);
  refreshStatus();
  resize(900, 600);
}

StudentTable& Screen::table() { return grid_->table(); }

void Screen::setTableVisible(bool visible) { grid_->setVisible(visible); }

SharedState& Screen::state() { return app_.state(); }

Dialogs& Screen::dialogs() { return app_.dialogs(); }

void Screen::setDocumentPath(const QString& path) {
  savedAt_ = {};
  if (path != documentPath_) {
    documentPath_ = path;
    documentFingerprint_.reset();
    emit documentPathChanged(path);
  }
  refreshStatus();
}

void Screen::noteSaved(const QString& path) {
  setDocumentPath(path);
  savedAt_ = QDateTime::currentDateTime();
  refreshStatus();
}

void Screen::refreshStatus() {
  const QString name =
      documentPath_.isEmpty() ? QStringLiteral("（ファイル名なし）") : QFileInfo(documentPath_).fileName();
  QString text = QStringLiteral("ファイル：") + name;
  if (table().isModified())
    text += QStringLiteral("　未保存");
  else if (savedAt_.isValid())
    text += QStringLiteral("　保存しました（%1）").arg(savedAt_.toString(QStringLiteral("H:mm")));
  fileStatus_->setText(text);
  fileStatus_->setToolTip(documentPath_);
}

void Screen::returnToMenu() {
  if (table().isModified() &&
      !dialogs().question(QStringLiteral("保存していないデータがあります。メニューに戻りますか？")))
    return;
  hide();
  // What was under way on this table ends with the way back.
  startAfresh();
  emit menuRequested();
}

QPushButton* Screen::addButton(const QString& name, const QString& caption, const QString& tooltip,
                               QVBoxLayout* layout) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  if (!tooltip.isEmpty()) button->setToolTip(tooltip);
  button->setMinimumHeight(kButtonHeight);
  // Room around the caption, so the longest captions never touch the frame.
  button->setMinimumWidth(button->sizeHint().width() + 16);
  (layout ? layout : buttons_)->addWidget(button);
  return button;
}

QPushButton* Screen::addReturnToMenuButton() {
  auto* back = addButton(QStringLiteral("ReturnToMenu"), QStringLiteral("メニューに戻る"),
                         QStringLiteral("最初の画面に戻ります"));
  connect(back, &QPushButton::clicked, this, &Screen::returnToMenu);
  return back;
}

QLabel* Screen::addLabelledEntry(QLineEdit* entry, const QString& label) {
  auto* caption = new QLabel(label, this);
  caption->setObjectName(entry->objectName() + QStringLiteral("Label"));
  caption->setBuddy(entry);
  buttons_->addWidget(caption);
  buttons_->addWidget(entry);
  return caption;
}

void Screen::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

}  // namespace gakunen
