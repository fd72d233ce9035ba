#include "ui/grid_view.h"

#include "model/table/numbers.h"
#include "model/table/student_table.h"
#include "ui/cell_text.h"

#include <QApplication>
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace gakunen {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kRowHeightPx = 16;  // 240 twips
constexpr int kHeaderHeightPx = 18;
// Room on either side of a cell text. A 300-twip column is 20 pixels, one
// of them the grid line; the style's usual margins would leave too little.
constexpr int kCellPaddingPx = 1;
const char kGridFontFamily[] = "ＭＳ Ｐゴシック";
const QColor kFixedColumnShade(0xF2, 0xF2, 0xF2);
const QColor kMarkedShade(0xFF, 0xF0, 0xC0);

quint64 cellKey(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }

int twipsToPixels(int twips) { return std::max(0, static_cast<int>(std::lround(twips / double(kTwipsPerPixel)))); }

Qt::Alignment alignmentFor(const QString& text) {
  return (ReadsAsNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QFont gridFont() {
  QFont font(QString::fromUtf8(kGridFontFamily));
  font.setPointSize(9);
  return font;
}

const char kHeaderStyle[] =
    "QHeaderView::section { background-color: #e4e4e4; color: black; padding: 0px 1px;"
    " border: none; border-right: 1px solid #a0a0a0; border-bottom: 1px solid #a0a0a0; }";

// Paints a cell as the style does, but with narrow padding and its text
// narrowed rather than elided when the column is too tight for it. A cell
// neither selected nor focused, the most of every paint, is only its shade
// and its text: the style's item layout is kept for the cell that needs it.
class CellDelegate : public QStyledItemDelegate {
 public:
  CellDelegate(CellTextCache& texts, QObject* parent) : QStyledItemDelegate(parent), texts_(texts) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (!(option.state & (QStyle::State_Selected | QStyle::State_HasFocus))) {
      const QVariant shade = index.data(Qt::BackgroundRole);
      if (shade.isValid()) painter->fillRect(option.rect, qvariant_cast<QBrush>(shade));
      const QString text = index.data(Qt::DisplayRole).toString();
      if (text.isEmpty()) return;
      drawText(painter, option, text, qvariant_cast<Qt::Alignment>(index.data(Qt::TextAlignmentRole)));
      return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (text.isEmpty()) return;
    drawText(painter, opt, text, opt.displayAlignment);
  }

 private:
  void drawText(QPainter* painter, const QStyleOptionViewItem& opt, const QString& text, Qt::Alignment align) const {
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Normal
                                                                            : QPalette::Inactive;
    const QPalette::ColorRole role = (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, role));
    texts_.draw(*painter, QRectF(opt.rect).adjusted(kCellPaddingPx, 0, -kCellPaddingPx, 0), text, align);
    painter->restore();
  }

  CellTextCache& texts_;
};

// The title row of a grid: always kHeaderHeightPx high, so its size never
// has to be worked out from its titles, which took a text layout of every
// title whenever the table was replaced.
class TitleHeader : public QHeaderView {
 public:
  explicit TitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
  QSize sizeHint() const override { return {length(), kHeaderHeightPx}; }
};

// Common settings of both table views of a grid.
void setUpView(QTableView* view, CellTextCache& texts) {
  view->setHorizontalHeader(new TitleHeader(view));
  view->setFont(gridFont());
  view->setItemDelegate(new CellDelegate(texts, view));
  view->setTextElideMode(Qt::ElideNone);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view->setWordWrap(false);
  view->setCornerButtonEnabled(false);
  view->setTabKeyNavigation(false);

  QHeaderView* rows = view->verticalHeader();
  rows->hide();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(kRowHeightPx);

  QHeaderView* cols = view->horizontalHeader();
  cols->setFont(gridFont());
  cols->setMinimumSectionSize(0);
  cols->setSectionResizeMode(QHeaderView::Fixed);
  cols->setSectionsClickable(false);
  cols->setHighlightSections(false);
  cols->setStretchLastSection(false);
  cols->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  cols->setTextElideMode(Qt::ElideNone);
  cols->setFixedHeight(kHeaderHeightPx);
  cols->setStyleSheet(QString::fromLatin1(kHeaderStyle));
}

}  // namespace

// ---------------------------------------------------------------------------
// GridModel

GridModel::GridModel(StudentTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {
  // A reset may arrive without its announcement (the model was made while
  // the table was in bulk mode), and the other way round a bulk change
  // announces once: begin and end are paired here whatever comes.
  resetting_ = table.inBulk();
  if (resetting_) beginResetModel();
  connect(&table_, &StudentTable::aboutToReset, this, [this] {
    if (resetting_) return;
    resetting_ = true;
    beginResetModel();
  });
  connect(&table_, &StudentTable::reset, this, [this] {
    if (!resetting_) beginResetModel();
    resetting_ = false;
    endResetModel();
  });
  connect(&table_, &StudentTable::cellChanged, this, [this](int row, int col) {
    if (resetting_ || col < 0 || col >= table_.cols()) return;
    if (row == 0) {
      emit headerDataChanged(Qt::Horizontal, col, col);
    } else if (row > 0 && row < table_.rows()) {
      const QModelIndex cell = index(row - 1, col);
      emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::TextAlignmentRole});
    }
  });
  connect(&table_, &StudentTable::layoutChanged, this, [this] {
    // Fixed columns are shaded: repaint the columns that changed sides. Widths are the views' business.
    const int fixed = std::min(table_.fixedCols(), table_.cols());
    if (resetting_ || fixed == shadedFixedCols_) return;
    const int first = std::min(fixed, shadedFixedCols_);
    const int last = std::min(std::max(fixed, shadedFixedCols_), table_.cols()) - 1;
    shadedFixedCols_ = fixed;
    if (rowCount() == 0 || last < first) return;
    emit dataChanged(index(0, first), index(rowCount() - 1, last), {Qt::BackgroundRole});
  });
  connect(this, &QAbstractItemModel::modelReset, this,
          [this] { shadedFixedCols_ = std::min(table_.fixedCols(), table_.cols()); });
  shadedFixedCols_ = std::min(table_.fixedCols(), table_.cols());
}

int GridModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return std::max(table_.rows() - 1, 0);
}

int GridModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return table_.cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() + 1 >= table_.rows() || index.column() >= table_.cols()) return {};
  const QString& text = table_.text(index.row() + 1, index.column());
  switch (role) {
    case Qt::DisplayRole:
      return text;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(alignmentFor(text));
    case Qt::BackgroundRole:
      if (index.column() < table_.fixedCols()) return QBrush(kFixedColumnShade);
      if (isMarked(index.row() + 1, index.column())) return QBrush(kMarkedShade);
      return {};
    case Qt::ToolTipRole:
      if (isMarked(index.row() + 1, index.column())) return markTooltip_;
      return {};
    default:
      return {};
  }
}

bool GridModel::isMarked(int row, int col) const { return !marked_.isEmpty() && marked_.contains(cellKey(row, col)); }

void GridModel::setMarkedCells(const QList<std::pair<int, int>>& cells, const QString& tooltip) {
  const bool hadMarks = !marked_.isEmpty();
  marked_.clear();
  for (const auto& [row, col] : cells) marked_.insert(cellKey(row, col));
  markTooltip_ = tooltip;
  if ((hadMarks || !marked_.isEmpty()) && rowCount() > 0 && columnCount() > 0)
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole, Qt::ToolTipRole});
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= table_.cols()) return {};
  const QString& text = table_.text(0, section);
  switch (role) {
    case Qt::DisplayRole:
      return text;
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(alignmentFor(text));
    default:
      return {};
  }
}

// ---------------------------------------------------------------------------
// GridView

namespace {

// The scrolling table. Its fixed columns lie under the frozen overlay, so
// moving the cursor or scrolling to a cell keeps that cell out from under it.
class ScrollingTableView : public QTableView {
 public:
  explicit ScrollingTableView(QWidget* parent) : QTableView(parent) {}

  QTableView* frozen = nullptr;
  int fixedCount = 0;

  int frozenWidth() const {
    int width = 0;
    for (int c = 0; c < fixedCount && c < horizontalHeader()->count(); ++c)
      if (!isColumnHidden(c)) width += columnWidth(c);
    return width;
  }

  void updateFrozenGeometry() {
    if (!frozen) return;
    const int width = frozenWidth();
    if (fixedCount <= 0 || width <= 0) {
      frozen->hide();
      return;
    }
    frozen->setGeometry(frameWidth(), frameWidth(), std::min(width, viewport()->width()),
                        viewport()->height() + horizontalHeader()->height());
    frozen->show();
  }

  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override {
    if (!index.isValid()) return;
    QScrollBar* bar = horizontalScrollBar();
    const int keep = bar->value();
    QTableView::scrollTo(index, hint);
    if (index.column() < fixedCount) {
      // A fixed column is always in sight: scroll only up or down.
      bar->setValue(keep);
      return;
    }
    const int hiddenBy = frozenWidth() - visualRect(index).left();
    if (hiddenBy > 0) bar->setValue(bar->value() - hiddenBy);
  }

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
    const QModelIndex next = QTableView::moveCursor(action, modifiers);
    if (next.isValid() && next.column() >= fixedCount) {
      const int hiddenBy = frozenWidth() - visualRect(next).left();
      if (hiddenBy > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hiddenBy);
    }
    return next;
  }

  void resizeEvent(QResizeEvent* event) override {
    QTableView::resizeEvent(event);
    updateFrozenGeometry();
  }

  void updateGeometries() override {
    QTableView::updateGeometries();
    updateFrozenGeometry();
  }

  // What lies under the overlay of fixed columns is never seen: it is left
  // unpainted.
  void paintEvent(QPaintEvent* event) override {
    if (!frozen || frozen->isHidden()) {
      QTableView::paintEvent(event);
      return;
    }
    const QRegion seen = event->region() - QRect(0, 0, frozenWidth(), viewport()->height());
    if (seen.isEmpty()) return;
    QPaintEvent narrowed(seen);
    QTableView::paintEvent(&narrowed);
  }
};

}  // namespace

struct GridView::Impl {
  StudentTable table;
  CellTextCache texts;  // the two views show the same texts
  GridModel* model = nullptr;
  ScrollingTableView* view = nullptr;
  QTableView* frozen = nullptr;

  void applyLayout() {
    const int cols = table.cols();
    const int fixed = std::min(table.fixedCols(), cols);
    view->fixedCount = fixed;
    {
      // The views hear of the widths once, below: a resized column would
      // otherwise repaint the grid again on a timer after it has been shown.
      const QSignalBlocker quietHeader(view->horizontalHeader());
      const QSignalBlocker quietFrozenHeader(frozen->horizontalHeader());
      for (int c = 0; c < cols; ++c) {
        const int width = twipsToPixels(table.colWidth(c));
        const bool hidden = width == 0;
        view->setColumnHidden(c, hidden);
        frozen->setColumnHidden(c, hidden || c >= fixed);
        if (!hidden) {
          view->setColumnWidth(c, width);
          frozen->setColumnWidth(c, width);
        }
      }
    }
    view->doItemsLayout();
    frozen->doItemsLayout();
    view->updateFrozenGeometry();
    frozen->verticalScrollBar()->setValue(view->verticalScrollBar()->value());
  }
};

GridView::GridView(QWidget* parent) : QWidget(parent), d(new Impl) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  d->model = new GridModel(d->table, this);
  d->view = new ScrollingTableView(this);
  d->view->setObjectName(QStringLiteral("gridTable"));
  setUpView(d->view, d->texts);
  d->view->setModel(d->model);
  layout->addWidget(d->view);

  d->frozen = new QTableView(d->view);
  d->frozen->setObjectName(QStringLiteral("gridFixedColumns"));
  setUpView(d->frozen, d->texts);
  d->frozen->setModel(d->model);
  d->frozen->setSelectionModel(d->view->selectionModel());
  d->frozen->setFocusPolicy(Qt::NoFocus);
  d->frozen->setFrameShape(QFrame::NoFrame);
  d->frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  d->frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  d->frozen->setStyleSheet(QStringLiteral("QTableView { border: none; border-right: 1px solid #808080; }"));
  d->view->viewport()->stackUnder(d->frozen);
  d->view->frozen = d->frozen;

  connect(d->frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, d->view->verticalScrollBar(),
          &QAbstractSlider::setValue);
  connect(d->view->verticalScrollBar(), &QAbstractSlider::valueChanged, d->frozen->verticalScrollBar(),
          &QAbstractSlider::setValue);
  // A reset gives the header sections their default sizes again.
  connect(d->model, &QAbstractItemModel::modelReset, this, [this] { d->applyLayout(); });
  connect(&d->table, &StudentTable::layoutChanged, this, [this] {
    if (!d->table.inBulk()) d->applyLayout();
  });
  d->applyLayout();
}

GridView::~GridView() {
  // The views and the model go before the table they read.
  delete d->view;
  delete d->model;
  delete d;
}

StudentTable& GridView::table() { return d->table; }
const StudentTable& GridView::table() const { return d->table; }

QTableView* GridView::tableView() const { return d->view; }
QTableView* GridView::fixedColumnsView() const { return d->frozen; }

int GridView::currentRow() const {
  const QModelIndex current = d->view->currentIndex();
  return current.isValid() ? current.row() + 1 : -1;
}

int GridView::currentCol() const {
  const QModelIndex current = d->view->currentIndex();
  return current.isValid() ? current.column() : -1;
}

void GridView::setCurrentCell(int row, int col) {
  const QModelIndex cell = d->model->index(row - 1, col);
  if (!cell.isValid()) {
    d->view->selectionModel()->clearCurrentIndex();
    d->view->clearSelection();
    return;
  }
  d->view->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
  d->view->scrollTo(cell);
}

void GridView::setMarkedCells(const QList<std::pair<int, int>>& cells, const QString& tooltip) {
  d->model->setMarkedCells(cells, tooltip);
}

void GridView::prepareTexts(const QStringList& texts) {
  for (const QString& text : texts) d->texts.prepare(d->view->font(), text);
}

void GridView::showRow(int row) {
  if (row < 1 || row >= d->table.rows() || d->table.cols() == 0) return;
  const QModelIndex current = d->view->currentIndex();
  const int col = current.isValid() ? current.column() : 0;
  d->view->scrollTo(d->model->index(row - 1, col));
}

}  // namespace gakunen
