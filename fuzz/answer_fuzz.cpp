// Fuzzes the number rules: typed answers, the leading-number rule and the
// texts written into cells. An answer is a whole number within 16 bits or
// nothing; every text a total or an average is written as is plain decimal
// digits that read back as the number shown.

#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace gakunen;
using namespace gakunen::fuzzing;

namespace {

bool plainDecimal(const QString& text) {
  for (QChar c : text)
    if (!(c.isDigit() && c.unicode() < 128) && c != u'-' && c != u'.') return false;
  return true;
}

// The text must read back, by both rules, as the value it was made from to
// the fifteen digits it keeps (`places` further rounding for averages).
void checkWritten(double value, const QString& text, double tolerance, const char* what) {
  check(!text.isEmpty() && plainDecimal(text), what, text);
  double read = 0;
  check(ReadsAsNumber(text, &read), "written number does not read as a number", text);
  check(read == TextValue(text), "the two number rules read a written number apart", text);
  const double scale = std::max(1.0, std::fabs(value));
  check(std::fabs(read - value) <= tolerance + scale * 1e-14, "written number reads back as another",
        QStringLiteral("%1 -> %2").arg(value, 0, 'g', 17).arg(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 4096) return 0;
  const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

  if (const auto whole = ReadWholeAnswer(text)) {
    check(*whole >= -32768 && *whole <= 32767, "answer outside 16 bits", QString::number(*whole));
    // What the teacher typed, written back plainly, is the same answer.
    check(ReadWholeAnswer(QString::number(*whole)) == whole, "an answer does not read as itself");
  }
  const double leading = TextValue(text);
  check(std::isfinite(leading), "the leading-number rule gave no finite value", text);
  double read = 0;
  if (ReadsAsNumber(text, &read)) check(!std::isnan(read), "a number read as NaN", text);

  // The same bytes as a double, the way a sum of typed scores may come out.
  if (size >= sizeof(double)) {
    double value;
    std::memcpy(&value, data, sizeof value);
    if (std::isfinite(value) && std::fabs(value) < 1e300) {
      checkWritten(value, FormatGeneral(value), 0, "a total is not plain decimal digits");
      // Averages keep one decimal: they read back within half of it.
      if (std::fabs(value) < 1e15) checkWritten(value, FormatAverage(value), 0.05, "an average is not plain digits");
      const double rounded = RoundHalfEven(value);
      check(rounded == std::trunc(rounded) && std::fabs(rounded - value) <= 0.5, "half-even rounding is off",
            QString::number(value, 'g', 17));
    }
  }
  return 0;
}
