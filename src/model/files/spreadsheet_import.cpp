#include "model/files/spreadsheet_import.h"

#include "model/files/data_file.h"
#include "model/files/text_codec.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/grid_routines.h"
#include "model/table/student_table.h"

#include <QFile>

namespace gakunen::spreadsheet {

QString LineProblem::message() const {
  const QString tail = QStringLiteral(
      "このまま読み込むとデータがずれるため、読み込みませんでした。表計算ソフトでファイルを確かめてください。");
  switch (kind) {
    case Kind::FieldCount:
      return QStringLiteral("CSVファイルの%1行目の項目の数（%2）が見出しの列の数（%3）と合いません。")
                 .arg(line)
                 .arg(fields)
                 .arg(titles) +
             tail;
    case Kind::NumericTitle:
      return QStringLiteral(
                 "CSVファイルの1行目（見出し）の%1列目が数字で始まっているため、そこから先を見出しとして読めません。"
                 "見出しは数字で始めないでください（漢数字は使えます）。")
                 .arg(titles + 1) +
             tail;
    case Kind::TextAfterQuote:
      return QStringLiteral("CSVファイルの%1行目に「\"」を含むデータがあります。").arg(line) + tail;
    case Kind::UnclosedQuote:
      return QStringLiteral("CSVファイルの%1行目で「\"」が閉じられていません。").arg(line) + tail;
  }
  return QString();
}

std::optional<LineProblem> CheckSpreadsheetLines(const QString& text, int titles) {
  const QChar* s = text.constData();
  const qsizetype n = text.size();
  auto isBlank = [](QChar c) { return c == u' ' || c == u'\t'; };
  auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
  auto onlyLineEndsFrom = [&](qsizetype i) {
    for (; i < n; ++i)
      if (!isLineEnd(s[i]) && !isBlank(s[i])) return false;
    return true;
  };

  int line = 1;
  int fields = 0;
  qsizetype i = 0;
  while (true) {
    const qsizetype lineStart = i;
    while (i < n && isBlank(s[i])) ++i;
    if (i >= n) {
      // The text ends where a field would begin: after a final line end this
      // is the normal end; after a comma the reader has one field less.
      if (fields > 0 && fields != titles) return LineProblem{LineProblem::Kind::FieldCount, line, fields, titles};
      return std::nullopt;
    }
    if (fields == 0 && isLineEnd(s[i]) && onlyLineEndsFrom(lineStart)) return std::nullopt;
    qsizetype end;
    const int fieldLine = line;
    if (s[i] == u'"') {
      qsizetype close = i + 1;
      while (close < n && s[close] != u'"') {
        if (s[close] == u'\n') ++line;  // a line break kept inside the cell
        ++close;
      }
      if (close >= n) return LineProblem{LineProblem::Kind::UnclosedQuote, fieldLine, 0, titles};
      end = close + 1;
      while (end < n && isBlank(s[end])) ++end;
      if (end < n && s[end] != u',' && !isLineEnd(s[end]))
        return LineProblem{LineProblem::Kind::TextAfterQuote, fieldLine, 0, titles};
    } else {
      end = i;
      while (end < n && s[end] != u',' && !isLineEnd(s[end])) ++end;
    }
    ++fields;
    if (end < n && s[end] == u',') {
      i = end + 1;
      continue;
    }
    // A line end, or the end of the text.
    if (fields != titles) {
      // Titles end at the first field that reads as a number above 0.
      const auto kind = line == 1 && fields > titles ? LineProblem::Kind::NumericTitle : LineProblem::Kind::FieldCount;
      return LineProblem{kind, line, fields, titles};
    }
    fields = 0;
    if (end >= n) return std::nullopt;
    i = end + ((s[end] == u'\r' && end + 1 < n && s[end + 1] == u'\n') ? 2 : 1);
    ++line;
  }
}

std::optional<QString> ImportSpreadsheet(SharedState& state, TableHost& screen, const QString& path) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    return LoadError{LoadError::Kind::CannotOpen, path, file.errorString()}.message();
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    return LoadError{LoadError::Kind::CannotOpen, path, file.errorString()}.message();
  file.close();
  auto decoded = TextCodec::decodeFile(bytes);
  if (!decoded) return LoadError{LoadError::Kind::NotText, path, {}}.message();

  // Spreadsheets may end the last line without a line end, which would leave
  // the last student's row one field short and drop it, or add blank lines,
  // which would read as a row of empty cells.
  QString text = std::move(*decoded);
  qsizetype end = text.size();
  while (end > 0 &&
         (text[end - 1] == u'\r' || text[end - 1] == u'\n' || text[end - 1] == u' ' || text[end - 1] == u'\t'))
    --end;
  text.truncate(end);
  text += QLatin1String("\r\n");

  DataFileChannel channel;
  channel.openText(text);
  SharedState counted = state;
  if (auto e = CountHeaderColumns(counted, channel)) {
    e->path = path;
    return e->message();
  }
  if (auto problem = CheckSpreadsheetLines(text, counted.ColumnCount)) return problem->message();

  state.ColumnCount = counted.ColumnCount;
  state.RowCells = counted.RowCells;
  channel.rewind();
  StudentTable& table = screen.table();
  {
    BulkChange bulk(table);
    ReadAndSizeTable(state, screen, channel);
    table.setFixedCols(2);
  }
  table.setModified(false);
  return std::nullopt;
}

}  // namespace gakunen::spreadsheet
