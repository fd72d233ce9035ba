#include "model/files/data_file.h"

#include "model/files/text_codec.h"
#include "model/files/whole_file.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/numbers.h"
#include "model/table/student_table.h"

#include <QFileInfo>

#include <algorithm>

namespace gakunen {

namespace {
constexpr int kMaxTitles = 23;
constexpr int kMaxReadRows = 1000;
constexpr int kKeptStudents = kMaxReadRows - 2;
constexpr int kMinSavedColumns = 3;
constexpr int kMaxSavedColumns = 23;

QString fileLabel(const QString& path) { return QFileInfo(path).fileName(); }

QString inParentheses(const QString& detail) {
  return detail.isEmpty() ? QString() : QStringLiteral("（%1）").arg(detail);
}
}  // namespace

QString LoadError::message() const {
  const QString name = fileLabel(path);
  switch (kind) {
    case Kind::CannotOpen:
      return QStringLiteral("ファイル「%1」を開けませんでした。%2").arg(name, inParentheses(detail));
    case Kind::NotText:
      return QStringLiteral(
                 "ファイル「%1」は読み込めない文字コードで書かれています。データファイルではない可能性があります。")
          .arg(name);
    case Kind::HeaderNotCounted:
      return QStringLiteral("ファイル「%1」には見出しの行に続く生徒のデータ（組の番号）がありません。読み込めません。")
          .arg(name);
    case Kind::TooManyTitles:
      return QStringLiteral("ファイル「%1」の見出しが23列を超えています。読み込めません。").arg(name);
    case Kind::BadLine:
      if (!line) break;
      return line->message(
          QStringLiteral("ファイル「%1」").arg(name),
          QStringLiteral("このまま読み込むとデータがずれたり欠けたりするため、読み込みませんでした。"));
  }
  return QString();
}

QString UnreadRowsNotice(const QString& path, int unreadRows) {
  return QStringLiteral(
             "ファイル「%1」には生徒が%2人いますが、1つの表に読み込めるのは%3人までです。"
             "最初の%3人を読み込み、残りの%4人（%5行目から後）は読み込んでいません。"
             "このまま保存すると、その%4人は保存されません。")
      .arg(fileLabel(path))
      .arg(kKeptStudents + unreadRows)
      .arg(kKeptStudents)
      .arg(unreadRows)
      .arg(kKeptStudents + 2);
}

QString SaveError::message() const {
  const QString where = QStringLiteral("表の%1行目・%2列目（「%3」の列）").arg(row).arg(column + 1).arg(title);
  const QString notSaved = QStringLiteral("保存しませんでした。");
  switch (kind) {
    case Kind::ColumnCount:
      return QStringLiteral("列の数が%1です。保存できるのは3列から23列までの表です。").arg(count) + notSaved;
    case Kind::RowCount:
      return QStringLiteral("保存する表の行数が表と合いません。") + notSaved;
    case Kind::Quote:
      return where + QStringLiteral("に「\"」が含まれているため保存できません。") + notSaved;
    case Kind::LineBreak:
      return where + QStringLiteral("に改行が含まれているため保存できません。") + notSaved;
    case Kind::NotCp932:
      return where +
             QStringLiteral("に保存できない文字「%1」が含まれています。別の文字に直してください。").arg(character) +
             notSaved;
    case Kind::CannotWrite:
      return QStringLiteral("ファイル「%1」に保存できませんでした。%2%3")
          .arg(fileLabel(path), inParentheses(detail),
               existed ? QStringLiteral("元のファイルは変更されていません。")
                       : QStringLiteral("ファイルは作られていません。"));
  }
  return QString();
}

std::optional<LoadError> DataFileChannel::open(const QString& path, FileFingerprint* read) {
  close();
  QByteArray bytes;
  qint64 modified = 0;
  if (auto failure = ReadWholeFile(path, bytes, &modified))
    return LoadError{LoadError::Kind::CannotOpen, path, path.isEmpty() ? QString() : failure->reason()};
  if (read) *read = FingerprintOf(bytes, modified);
  auto text = TextCodec::decodeFile(bytes);
  if (!text) return LoadError{LoadError::Kind::NotText, path, {}};
  openText(std::move(*text));
  return std::nullopt;
}

void DataFileChannel::openText(QString text) {
  text_ = WithoutTrailingBlankLines(std::move(text));
  pos_ = 0;
  open_ = true;
}

void DataFileChannel::close() {
  text_.clear();
  pos_ = 0;
  open_ = false;
}

std::optional<QString> DataFileChannel::readField() {
  const qsizetype n = text_.size();
  const QChar* s = text_.constData();
  qsizetype i = pos_;
  while (i < n && (s[i] == u' ' || s[i] == u'\t')) ++i;
  if (i >= n) {
    pos_ = n;
    return std::nullopt;
  }
  QString field;
  qsizetype end;  // where the separator search starts
  if (s[i] == u'"') {
    qsizetype close = i + 1;
    while (close < n && s[close] != u'"') ++close;
    field = QString(s + i + 1, close - i - 1);
    end = close < n ? close + 1 : n;
    while (end < n && s[end] != u',' && s[end] != u'\r' && s[end] != u'\n') ++end;
  } else {
    end = i;
    while (end < n && s[end] != u',' && s[end] != u'\r' && s[end] != u'\n') ++end;
    qsizetype last = end;
    while (last > i && (s[last - 1] == u' ' || s[last - 1] == u'\t')) --last;
    field = QString(s + i, last - i);
  }
  // Consume one separator; CR LF counts as one.
  if (end < n) {
    if (s[end] == u'\r' && end + 1 < n && s[end + 1] == u'\n')
      end += 2;
    else
      end += 1;
  }
  pos_ = end;
  return field;
}

qsizetype DataFileChannel::lineBreaksLeft() const {
  qsizetype breaks = 0;
  for (qsizetype i = pos_; i < text_.size(); ++i)
    if (text_[i] == u'\n') ++breaks;
  return breaks;
}

namespace {

std::optional<LoadError> countHeader(SharedState& state, DataFileChannel& channel, bool second) {
  for (int i = 1;; ++i) {
    auto field = channel.readField();
    if (!field) return LoadError{LoadError::Kind::HeaderNotCounted, {}, {}};
    if (i - 1 > kMaxTitles) return LoadError{LoadError::Kind::TooManyTitles, {}, {}};
    state.RowCells[i - 1] = *field;
    state.ColumnCount = i - 1;
    const double v = TextValue(*field);
    if (second ? v == 1 : v > 0) break;
  }
  if (state.ColumnCount < 1) return LoadError{LoadError::Kind::HeaderNotCounted, {}, {}};
  return std::nullopt;
}

int readTable(SharedState& state, TableHost& screen, DataFileChannel& channel) {
  state.CurrentForm = &screen;
  const int cols = state.ColumnCount;
  std::vector<QString> cells;
  // Room for every row at once: grown row by row, the list would be moved
  // to fresh memory again and again.
  const qsizetype rowsAhead = std::min<qsizetype>(channel.lineBreaksLeft() + 1, kMaxReadRows);
  cells.reserve(static_cast<size_t>(cols) * static_cast<size_t>(std::max<qsizetype>(rowsAhead, 1)));
  int rowsStarted = 0;
  int unread = 0;
  state.RowCount = 0;
  if (cols > 0) {
    bool ended = false;
    for (int r = 1; r <= kMaxReadRows && !ended; ++r) {
      state.RowCount = r - 1;
      for (int c = 1; c <= cols; ++c) {
        auto field = channel.readField();
        if (!field) {
          ended = true;
          break;
        }
        if (c == 1) {
          rowsStarted = r;
          cells.resize(static_cast<size_t>(r) * cols);
        }
        cells[static_cast<size_t>(r - 1) * cols + (c - 1)] = std::move(*field);
      }
    }
    if (!ended) {
      // The 1000th row was read but is not kept; count it and what follows.
      qsizetype rest = 0;
      while (channel.readField()) ++rest;
      unread = 1 + static_cast<int>(rest / cols);
    }
  }
  // The table is ColumnCount wide and as high as the rows begun; a row cut
  // short by the end of the file stays until SetGridRows drops it.
  screen.table().assign(rowsStarted, cols, std::move(cells));
  return unread;
}

}  // namespace

std::optional<LoadError> CountHeaderColumns(SharedState& state, DataFileChannel& first) {
  return countHeader(state, first, false);
}

std::optional<LoadError> CountHeaderColumnsSecond(SharedState& state, DataFileChannel& second) {
  return countHeader(state, second, true);
}

int ReadTableFromFile(SharedState& state, TableHost& screen, DataFileChannel& first) {
  return readTable(state, screen, first);
}

int ReadTableFromSecondFile(SharedState& state, TableHost& screen, DataFileChannel& second) {
  return readTable(state, screen, second);
}

std::optional<SaveError> WriteTableToFile(SharedState& state, TableHost& screen, const QString& path,
                                          FileFingerprint* written) {
  state.CurrentForm = &screen;
  const StudentTable& t = screen.table();
  const int cols = state.ColumnCount;
  const int rows = state.RowCount;
  if (cols < kMinSavedColumns || cols > kMaxSavedColumns) {
    SaveError e{SaveError::Kind::ColumnCount, path};
    e.count = cols;
    return e;
  }
  if (rows < 1 || rows > t.rows() || cols > t.cols()) return SaveError{SaveError::Kind::RowCount, path};

  QString text;
  qsizetype estimate = 0;
  for (int c = 0; c < cols; ++c) estimate += t.text(rows > 1 ? 1 : 0, c).size() + 3;
  text.reserve(estimate * rows + 64);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const QString& cell = t.text(r, c);
      state.RowCells[c] = cell;
      for (QChar ch : cell) {
        if (ch == u'"' || ch == u'\r' || ch == u'\n') {
          SaveError e{ch == u'"' ? SaveError::Kind::Quote : SaveError::Kind::LineBreak, path, r, c, t.text(0, c)};
          return e;
        }
      }
      if (c > 0) text += u',';
      text += u'"';
      text += cell;
      text += u'"';
    }
    text += QLatin1String("\r\n");
  }
  qsizetype bad = -1;
  auto bytes = TextCodec::encodeCp932(text, &bad);
  if (!bytes) {
    // Find the cell that holds the character for the message.
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const QString& cell = t.text(r, c);
        qsizetype at = -1;
        if (!TextCodec::encodeCp932(cell, &at)) {
          SaveError e{SaveError::Kind::NotCp932, path, r, c, t.text(0, c)};
          e.character = cell.mid(at, cell[at].isHighSurrogate() ? 2 : 1);
          return e;
        }
      }
    return SaveError{SaveError::Kind::NotCp932, path, 0, 0, t.text(0, 0)};
  }
  qint64 modified = 0;
  if (auto failure = ReplaceWholeFile(path, *bytes, &modified)) {
    SaveError e{SaveError::Kind::CannotWrite, path, -1, -1, {}, {}, failure->reason()};
    e.existed = failure->existed;
    return e;
  }
  if (written) *written = FingerprintOf(*bytes, modified);
  screen.table().setModified(false);
  return std::nullopt;
}

int ReadAndSizeTable(SharedState& state, TableHost& screen, DataFileChannel& channel, bool secondChannel) {
  BulkChange bulk(screen.table());
  const int unread =
      secondChannel ? ReadTableFromSecondFile(state, screen, channel) : ReadTableFromFile(state, screen, channel);
  channel.close();
  SetGridColumns(state, screen);
  SetGridRows(state, screen);
  SetStandardColumnWidths(state, screen);
  return unread;
}

std::optional<LoadError> LoadDataFile(SharedState& state, TableHost& screen, const QString& path,
                                      const std::function<void()>& afterCount, int* unreadRows, FileFingerprint* read) {
  DataFileChannel first;
  FileFingerprint opened;
  if (auto e = first.open(path, &opened)) return e;
  const int columnsBefore = state.ColumnCount;
  const auto cellsBefore = state.RowCells;
  std::optional<LoadError> refusal = CountHeaderColumns(state, first);
  if (!refusal) {
    if (auto problem = first.checkLines(state.ColumnCount))
      refusal = LoadError{LoadError::Kind::BadLine, {}, {}, problem};
  }
  if (refusal) {
    // A file that cannot be read as it was written leaves everything as it was.
    state.ColumnCount = columnsBefore;
    state.RowCells = cellsBefore;
    refusal->path = path;
    return refusal;
  }
  if (afterCount) afterCount();
  first.rewind();
  const int unread = ReadAndSizeTable(state, screen, first);
  if (unreadRows) *unreadRows = unread;
  if (read) *read = opened;
  screen.table().setModified(false);
  return std::nullopt;
}

}  // namespace gakunen
