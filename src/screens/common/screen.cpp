#include "screens/common/screen.h"

#include "model/session/shared_state.h"
#include "ui/grid_view.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace gakunen {

Screen::Screen(AppContext& app, const QString& formName, const QString& caption, QWidget* parent)
    : QWidget(parent), app_(app) {
  setObjectName(formName);
  setWindowTitle(caption);
  mainLayout_ = new QHBoxLayout(this);
  grid_ = new GridView(this);
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  mainLayout_->addWidget(grid_, 1);
  buttons_ = new QVBoxLayout;
  buttons_->setAlignment(Qt::AlignTop);
  mainLayout_->addLayout(buttons_);
  resize(900, 600);
}

StudentTable& Screen::table() { return grid_->table(); }

void Screen::setTableVisible(bool visible) { grid_->setVisible(visible); }

SharedState& Screen::state() { return app_.state(); }

Dialogs& Screen::dialogs() { return app_.dialogs(); }

void Screen::setDocumentPath(const QString& path) {
  if (path == documentPath_) return;
  documentPath_ = path;
  emit documentPathChanged(path);
}

QPushButton* Screen::addButton(const QString& name, const QString& caption, const QString& tooltip,
                               QVBoxLayout* layout) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(name);
  if (!tooltip.isEmpty()) button->setToolTip(tooltip);
  button->setMinimumHeight(36);
  // Room around the caption, so the longest captions never touch the frame.
  button->setMinimumWidth(button->sizeHint().width() + 16);
  (layout ? layout : buttons_)->addWidget(button);
  return button;
}

void Screen::closeEvent(QCloseEvent* event) {
  event->ignore();
  app_.endProgram();
}

}  // namespace gakunen
