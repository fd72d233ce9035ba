#pragma once

#include <QAbstractTableModel>
#include <QSet>
#include <QTableView>

namespace gakunen {

class StudentTable;

// A read-only table model over a student table: row 0 becomes the header,
// rows 1.. the data rows. Bulk changes of the table reach views as one reset.
class GridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridModel(StudentTable& table, QObject* parent = nullptr);
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  StudentTable& table() { return table_; }
  // Cells (table row, column) shown tinted, with `tooltip` saying why.
  void setMarkedCells(const QList<std::pair<int, int>>& cells, const QString& tooltip);

 private:
  bool isMarked(int row, int col) const;

  StudentTable& table_;
  QSet<quint64> marked_;
  QString markTooltip_;
  bool resetting_ = false;
  int shadedFixedCols_ = 0;
};

// The grid of a screen (MSFlexGrid1 or one of an MSFlexGrid2 array): it owns
// its student table, shows row 0 as the fixed title row, keeps the table's
// fixed columns in place while the rest scrolls sideways, and sizes columns
// from their widths in twips (15 twips a pixel). Font "ＭＳ Ｐゴシック".
class GridView : public QWidget {
  Q_OBJECT
 public:
  explicit GridView(QWidget* parent = nullptr);
  ~GridView() override;
  StudentTable& table();
  const StudentTable& table() const;
  // The selected table cell (row 0 is the title row); -1 when no cell is selected.
  int currentRow() const;
  int currentCol() const;
  // Selects a cell of a student row (1..) and scrolls to it; any other cell clears the selection.
  void setCurrentCell(int row, int col);
  // Scrolls so that the table row is shown.
  void showRow(int row);
  // Cells (table row, column) shown tinted, with `tooltip` saying why; the
  // marks stay on those places until they are set again.
  void setMarkedCells(const QList<std::pair<int, int>>& cells, const QString& tooltip);
  // Lays out texts the grid is likely to show (scores, say) ahead of its
  // first paint, which otherwise lays out every text it shows.
  void prepareTexts(const QStringList& texts);

  // The scrolling table and the overlay that shows the fixed columns over its left edge.
  QTableView* tableView() const;
  QTableView* fixedColumnsView() const;

 private:
  struct Impl;
  Impl* d;
};

}  // namespace gakunen
