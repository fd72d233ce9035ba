#include "model/table/student_table.h"

#include "model/table/numbers.h"

#include <algorithm>

namespace gakunen {

namespace {
const QString kEmpty;
}

StudentTable::StudentTable(QObject* parent) : QObject(parent) {}

void StudentTable::structureChange(bool begin) {
  if (bulkDepth_ > 0) return;
  if (begin)
    emit aboutToReset();
  else
    emit reset();
}

void StudentTable::touch() { setModified(true); }

void StudentTable::setModified(bool modified) {
  if (modified == modified_) return;
  modified_ = modified;
  emit modifiedChanged(modified);
}

void StudentTable::beginBulk() {
  if (bulkDepth_++ == 0) emit aboutToReset();
}

void StudentTable::endBulk() {
  if (bulkDepth_ > 0 && --bulkDepth_ == 0) {
    emit reset();
    emit layoutChanged();
  }
}

void StudentTable::setRows(int rows) { resize(rows, cols_); }
void StudentTable::setCols(int cols) { resize(rows_, cols); }

void StudentTable::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  if (rows == rows_ && cols == cols_) return;
  structureChange(true);
  if (cols == cols_) {
    cells_.resize(static_cast<size_t>(rows) * cols);
  } else {
    std::vector<QString> next(static_cast<size_t>(rows) * cols);
    const int keepRows = std::min(rows, rows_);
    const int keepCols = std::min(cols, cols_);
    for (int r = 0; r < keepRows; ++r)
      for (int c = 0; c < keepCols; ++c)
        next[static_cast<size_t>(r) * cols + c] = std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
    cells_ = std::move(next);
    widths_.resize(cols, DefaultColumnWidth);
  }
  rows_ = rows;
  cols_ = cols;
  touch();
  structureChange(false);
}

const QString& StudentTable::text(int row, int col) const {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return kEmpty;
  return cells_[static_cast<size_t>(row) * cols_ + col];
}

void StudentTable::setText(int row, int col, const QString& text) {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return;
  cells_[static_cast<size_t>(row) * cols_ + col] = text;
  touch();
  if (bulkDepth_ == 0) emit cellChanged(row, col);
}

QStringList StudentTable::rowTexts(int row) const {
  QStringList out;
  if (row < 0 || row >= rows_) return out;
  out.reserve(cols_);
  for (int c = 0; c < cols_; ++c) out.append(cells_[static_cast<size_t>(row) * cols_ + c]);
  return out;
}

void StudentTable::setRowTexts(int row, const QStringList& texts) {
  if (row < 0 || row >= rows_) return;
  BulkChange bulk(*this);
  for (int c = 0; c < cols_; ++c) setText(row, c, c < texts.size() ? texts[c] : QString());
}

void StudentTable::insertRow(int index, const QStringList& texts) {
  index = std::clamp(index, 0, rows_);
  structureChange(true);
  std::vector<QString> row(cols_);
  for (int c = 0; c < cols_ && c < texts.size(); ++c) row[c] = texts[c];
  cells_.insert(cells_.begin() + static_cast<ptrdiff_t>(index) * cols_, std::make_move_iterator(row.begin()),
                std::make_move_iterator(row.end()));
  ++rows_;
  touch();
  structureChange(false);
}

void StudentTable::removeRow(int index) {
  if (index < 0 || index >= rows_) return;
  structureChange(true);
  auto first = cells_.begin() + static_cast<ptrdiff_t>(index) * cols_;
  cells_.erase(first, first + cols_);
  --rows_;
  touch();
  structureChange(false);
}

void StudentTable::copyFrom(const StudentTable& other) {
  if (&other == this) return;
  structureChange(true);
  rows_ = other.rows_;
  cols_ = other.cols_;
  cells_ = other.cells_;
  widths_ = other.widths_;
  fixedCols_ = other.fixedCols_;
  touch();
  structureChange(false);
  if (bulkDepth_ == 0) emit layoutChanged();
}

void StudentTable::assign(int rows, int cols, std::vector<QString> cells) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  cells.resize(static_cast<size_t>(rows) * cols);
  structureChange(true);
  rows_ = rows;
  cols_ = cols;
  cells_ = std::move(cells);
  widths_.resize(cols, DefaultColumnWidth);
  touch();
  structureChange(false);
}

int StudentTable::colWidth(int col) const {
  if (col < 0 || col >= cols_) return DefaultColumnWidth;
  return widths_[col];
}

void StudentTable::setColWidth(int col, int twips) {
  if (col < 0 || col >= cols_) return;
  if (widths_[col] == twips) return;
  widths_[col] = twips;
  if (bulkDepth_ == 0) emit layoutChanged();
}

void StudentTable::setFixedCols(int count) {
  count = std::max(count, 0);
  if (fixedCols_ == count) return;
  fixedCols_ = count;
  if (bulkDepth_ == 0) emit layoutChanged();
}

namespace {

struct SortKey {
  bool numeric;
  double value;
  const QString* text;
};

// True when a must come before b in ascending order.
bool keyLess(const SortKey& a, const SortKey& b) {
  if (a.numeric && b.numeric) return a.value < b.value;
  return QString::compare(*a.text, *b.text, Qt::CaseSensitive) < 0;
}

// Bottom-up merge sort: stable, and safe with a comparison that is not a
// strict weak order (numbers and texts mixed in one column are).
template <typename Less>
void mergeSort(std::vector<int>& order, Less less) {
  std::vector<int> buffer(order.size());
  const size_t n = order.size();
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      const size_t mid = std::min(lo + width, n);
      const size_t hi = std::min(lo + 2 * width, n);
      size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) buffer[k++] = less(order[j], order[i]) ? order[j++] : order[i++];
      while (i < mid) buffer[k++] = order[i++];
      while (j < hi) buffer[k++] = order[j++];
    }
    order.swap(buffer);
  }
}

}  // namespace

void StudentTable::sortRows(int col, SortOrder order) {
  if (col < 0 || col >= cols_ || rows_ <= 2) return;
  const int count = rows_ - 1;
  std::vector<SortKey> keys(count);
  for (int i = 0; i < count; ++i) {
    const QString& t = cells_[static_cast<size_t>(i + 1) * cols_ + col];
    double v = 0;
    const bool numeric = ReadsAsNumber(t, &v);
    keys[i] = {numeric, v, &t};
  }
  std::vector<int> idx(count);
  for (int i = 0; i < count; ++i) idx[i] = i;
  if (order == SortOrder::Ascending)
    mergeSort(idx, [&](int a, int b) { return keyLess(keys[a], keys[b]); });
  else
    mergeSort(idx, [&](int a, int b) { return keyLess(keys[b], keys[a]); });

  structureChange(true);
  std::vector<QString> next(cells_.size());
  for (int c = 0; c < cols_; ++c) next[c] = std::move(cells_[c]);
  for (int i = 0; i < count; ++i) {
    const size_t from = static_cast<size_t>(idx[i] + 1) * cols_;
    const size_t to = static_cast<size_t>(i + 1) * cols_;
    for (int c = 0; c < cols_; ++c) next[to + c] = std::move(cells_[from + c]);
  }
  cells_ = std::move(next);
  touch();
  structureChange(false);
}

}  // namespace gakunen
