#include "model/table/score_reading.h"

#include "model/table/numbers.h"

#include <algorithm>

namespace gakunen {

namespace {

constexpr double kTopScore = 100;

bool isFullWidthDigit(QChar c) { return c >= QChar(0xFF10) && c <= QChar(0xFF19); }

}  // namespace

ScoreReading ReadScore(QStringView text) {
  if (text.isEmpty()) return ScoreReading::Score;
  const auto value = LeadingNumber(text);
  if (!value) return ScoreReading::NotANumber;
  return *value < 0 || *value > kTopScore ? ScoreReading::OffScale : ScoreReading::Score;
}

QString ScoreNote(QStringView text) {
  switch (ReadScore(text)) {
    case ScoreReading::Score:
      return {};
    case ScoreReading::NotANumber:
      if (std::any_of(text.begin(), text.end(), isFullWidthDigit))
        return QStringLiteral("全角の数字は点数として読めません。集計では0点として数えます。");
      return QStringLiteral("点数として読めません。集計では0点として数えます。");
    case ScoreReading::OffScale:
      return QStringLiteral("0～100点の範囲外です。集計では%1点として数えます。").arg(FormatGeneral(TextValue(text)));
  }
  return {};
}

QString HalfWidthDigits(QStringView text) {
  QString out = text.toString();
  for (QChar& c : out)
    if (isFullWidthDigit(c)) c = QChar(u'0' + (c.unicode() - 0xFF10));
  return out;
}

}  // namespace gakunen
