#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace gakunen {

enum class SortOrder { Ascending = 1, Descending = 2 };

// The table every screen shows and edits: text cells, row 0 the titles.
// Cells outside the table read as empty text and ignore writes, so that
// no cell text or stale index can ever crash a screen.
class StudentTable : public QObject {
  Q_OBJECT
 public:
  static constexpr int DefaultColumnWidth = 960;  // twips

  explicit StudentTable(QObject* parent = nullptr);

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  // Growing keeps every cell and adds empty ones; shrinking drops the cells beyond.
  void setRows(int rows);
  void setCols(int cols);
  void resize(int rows, int cols);

  const QString& text(int row, int col) const;
  void setText(int row, int col, const QString& text);
  QStringList rowTexts(int row) const;
  void setRowTexts(int row, const QStringList& texts);

  // Inserts a row before `index` (index == rows() appends); cells from column 0 on.
  void insertRow(int index, const QStringList& texts = {});
  void removeRow(int index);
  // Makes this table a copy of `other`: cells, widths and fixed columns.
  void copyFrom(const StudentTable& other);
  // Replaces the whole content in one step; `cells` is row-major, rows * cols long.
  void assign(int rows, int cols, std::vector<QString> cells);

  int colWidth(int col) const;  // twips
  void setColWidth(int col, int twips);
  int fixedCols() const { return fixedCols_; }
  void setFixedCols(int count);

  // Stable sort of rows 1..last on one column: two cells that both read as
  // numbers compare as numbers, any other pair as text.
  void sortRows(int col, SortOrder order);

  // Changed since the last load or save.
  bool isModified() const { return modified_; }
  void setModified(bool modified);

  // Bulk changes: views hear one reset at the end instead of one signal a cell.
  void beginBulk();
  void endBulk();
  bool inBulk() const { return bulkDepth_ > 0; }

 signals:
  void aboutToReset();
  void reset();
  void cellChanged(int row, int col);
  void layoutChanged();  // widths or fixed columns
  void modifiedChanged(bool modified);

 private:
  void structureChange(bool begin);
  void touch();

  int rows_ = 0;
  int cols_ = 0;
  int fixedCols_ = 0;
  int bulkDepth_ = 0;
  bool modified_ = false;
  std::vector<QString> cells_;
  std::vector<int> widths_;
};

// Holds a table in bulk mode for the lifetime of the guard.
class BulkChange {
 public:
  explicit BulkChange(StudentTable& table) : table_(table) { table_.beginBulk(); }
  ~BulkChange() { table_.endBulk(); }
  BulkChange(const BulkChange&) = delete;
  BulkChange& operator=(const BulkChange&) = delete;

 private:
  StudentTable& table_;
};

}  // namespace gakunen
