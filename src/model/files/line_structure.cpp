#include "model/files/line_structure.h"

namespace gakunen {

namespace {

bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// One field as the reader takes it, from `i` (blanks before it skipped).
struct Field {
  qsizetype end = 0;  // where its separator (or the end of the text) is
  bool unclosed = false;
  bool textAfterQuote = false;
  int lineBreaks = 0;  // kept inside a quoted cell
  QStringView text;
};

Field readField(QStringView s, qsizetype i) {
  const qsizetype n = s.size();
  Field f;
  while (i < n && isBlank(s[i])) ++i;
  if (i < n && s[i] == u'"') {
    qsizetype close = i + 1;
    for (; close < n && s[close] != u'"'; ++close)
      if (s[close] == u'\n' || (s[close] == u'\r' && (close + 1 >= n || s[close + 1] != u'\n'))) ++f.lineBreaks;
    if (close >= n) {
      f.unclosed = true;
      f.end = n;
      return f;
    }
    f.text = s.mid(i + 1, close - i - 1);
    f.end = close + 1;
    while (f.end < n && isBlank(s[f.end])) ++f.end;
    f.textAfterQuote = f.end < n && s[f.end] != u',' && !isLineEnd(s[f.end]);
    return f;
  }
  f.end = i;
  while (f.end < n && s[f.end] != u',' && !isLineEnd(s[f.end])) ++f.end;
  f.text = s.mid(i, f.end - i).trimmed();
  return f;
}

qsizetype pastLineEnd(QStringView s, qsizetype end) {
  return end + ((s[end] == u'\r' && end + 1 < s.size() && s[end + 1] == u'\n') ? 2 : 1);
}

}  // namespace

QString LineProblem::message(const QString& source, const QString& tail) const {
  switch (kind) {
    case Kind::FieldCount:
      return QStringLiteral("%1の%2行目の項目の数（%3）が見出しの列の数（%4）と合いません。")
                 .arg(source)
                 .arg(line)
                 .arg(fields)
                 .arg(titles) +
             tail;
    case Kind::NumericTitle:
      return QStringLiteral(
                 "%1の1行目（見出し）の%2列目が数字で始まっているため、そこから先を見出しとして読めません。"
                 "見出しは数字で始めないでください（漢数字は使えます）。")
                 .arg(source)
                 .arg(field) +
             tail;
    case Kind::TextAfterQuote:
      return QStringLiteral("%1の%2行目の%3番目の項目に「\"」を含むデータがあります。")
                 .arg(source)
                 .arg(line)
                 .arg(field) +
             tail;
    case Kind::UnclosedQuote:
      return QStringLiteral("%1の%2行目の%3番目の項目で「\"」が閉じられていません。").arg(source).arg(line).arg(field) +
             tail;
    case Kind::BlankLine:
      return QStringLiteral("%1の%2行目が空の行です。").arg(source).arg(line) + tail;
    case Kind::FirstClass:
      return QStringLiteral(
                 "%1の%2行目（最初の生徒）の組が「%3」です。最初の生徒の組が1以上の数でないと、"
                 "見出しとデータの境目が分かりません。")
                 .arg(source)
                 .arg(line)
                 .arg(text) +
             tail;
  }
  return QString();
}

std::optional<LineProblem> CheckLineStructure(QStringView s, int titles) {
  const qsizetype n = s.size();
  auto onlyBlankFrom = [&](qsizetype i) {
    for (; i < n; ++i)
      if (!isLineEnd(s[i]) && !isBlank(s[i])) return false;
    return true;
  };
  auto problem = [&](LineProblem::Kind kind, int line, int field) {
    LineProblem p{kind, line};
    p.titles = titles;
    p.field = field;
    return p;
  };

  bool header = true;
  int line = 1;
  int fields = 0;  // on the current line so far
  qsizetype i = 0;
  while (true) {
    if (fields == 0) {
      qsizetype j = i;
      while (j < n && isBlank(s[j])) ++j;
      if (j >= n || isLineEnd(s[j])) {
        if (onlyBlankFrom(i)) return std::nullopt;
        // A table of one column holds a line with one empty field here.
        if (titles > 1) return problem(LineProblem::Kind::BlankLine, line, 0);
      }
    } else {
      qsizetype j = i;
      while (j < n && isBlank(s[j])) ++j;
      // The text ends just after a comma: the reader finds no field there.
      if (j >= n) {
        if (fields == titles && !header) return std::nullopt;
        LineProblem p = problem(LineProblem::Kind::FieldCount, line, 0);
        p.fields = fields;
        return p;
      }
    }
    const int fieldLine = line;
    const Field f = readField(s, i);
    ++fields;
    // A quote that runs over a line end into text is one left open on its own line.
    if (f.unclosed || (f.textAfterQuote && f.lineBreaks > 0))
      return problem(LineProblem::Kind::UnclosedQuote, fieldLine, fields);
    if (f.textAfterQuote) return problem(LineProblem::Kind::TextAfterQuote, fieldLine, fields);
    line += f.lineBreaks;
    if (f.end < n && s[f.end] == u',') {
      i = f.end + 1;
      continue;
    }
    // A line end, or the end of the text.
    if (header) {
      header = false;
      // The titles end at the first field that reads above 0: before the end
      // of the first line, or inside the second when the first class does not.
      if (fields > titles) return problem(LineProblem::Kind::NumericTitle, line, titles + 1);
      if (fields < titles) {
        LineProblem p = problem(LineProblem::Kind::FirstClass, line + 1, 1);
        if (f.end < n) p.text = readField(s, pastLineEnd(s, f.end)).text.toString();
        return p;
      }
    } else if (fields != titles) {
      LineProblem p = problem(LineProblem::Kind::FieldCount, line, 0);
      p.fields = fields;
      return p;
    }
    fields = 0;
    if (f.end >= n) return std::nullopt;
    i = pastLineEnd(s, f.end);
    ++line;
  }
}

QString WithoutTrailingBlankLines(QString text) {
  qsizetype end = text.size();
  while (end > 0 && (isLineEnd(text[end - 1]) || isBlank(text[end - 1]) || text[end - 1].isNull())) --end;
  text.truncate(end);
  // A comma last leaves an empty last cell, which the reader finds only
  // before a line end.
  if (text.endsWith(u',')) text += QLatin1String("\r\n");
  return text;
}

}  // namespace gakunen
