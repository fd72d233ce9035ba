#include "model/table/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace gakunen {

namespace {

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }
bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

double parseAscii(const std::string& s) {
  double v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

// Reads a radix literal after &H or &O the way the leading-number rule does:
// up to four digits form a 16-bit value, more a 32-bit one (both signed).
double radixValue(const std::u16string& digits, int base) {
  uint64_t v = 0;
  int count = 0;
  for (char16_t c : digits) {
    int d;
    if (c >= u'0' && c <= u'9')
      d = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f')
      d = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F')
      d = c - u'A' + 10;
    else
      break;
    if (d >= base) break;
    v = (v * base + d) & 0xFFFFFFFFull;
    ++count;
  }
  if (count == 0) return 0;
  const bool shortForm = base == 16 ? count <= 4 : v <= 0xFFFF;
  if (shortForm) return static_cast<int16_t>(static_cast<uint16_t>(v & 0xFFFF));
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// The value as a person reads it: its 15 significant decimal digits, the
// position of the point after the first of them (the decimal exponent) and
// the sign.
struct DecimalDigits {
  std::string digits;
  int exponent = 0;
  bool negative = false;
};

DecimalDigits decimalDigits(double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  std::string s(buf);
  DecimalDigits d;
  d.negative = s[0] == '-';
  if (d.negative) s.erase(0, 1);
  const size_t e = s.find('e');
  d.exponent = std::stoi(s.substr(e + 1));
  d.digits = s.substr(0, 1) + s.substr(2, e - 2);
  return d;
}

}  // namespace

double TextValue(QStringView text) {
  std::u16string s;
  s.reserve(text.size());
  for (QChar c : text)
    if (!isSkipped(c)) s.push_back(c.unicode());
  size_t i = 0;
  if (s.size() >= 2 && s[0] == u'&') {
    const char16_t k = s[1];
    if (k == u'H' || k == u'h') return radixValue(s.substr(2), 16);
    if (k == u'O' || k == u'o') return radixValue(s.substr(2), 8);
    return 0;
  }
  std::string ascii;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) ascii.push_back(static_cast<char>(s[i++]));
  size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) {
    ascii.push_back(static_cast<char>(s[i++]));
    ++digits;
  }
  if (i < s.size() && s[i] == u'.') {
    ascii.push_back('.');
    ++i;
    while (i < s.size() && isDigit(s[i])) {
      ascii.push_back(static_cast<char>(s[i++]));
      ++digits;
    }
  }
  if (digits == 0) return 0;
  if (ascii[0] == '+') ascii.erase(0, 1);
  const double v = parseAscii(ascii);
  return v == 0 ? 0.0 : v;  // never a negative zero
}

bool ReadsAsNumber(QStringView text, double* value) {
  QStringView t = text;
  while (!t.isEmpty() && (t.front() == u' ' || t.front() == u'\t')) t = t.mid(1);
  while (!t.isEmpty() && (t.back() == u' ' || t.back() == u'\t')) t.chop(1);
  if (t.isEmpty()) return false;
  std::string ascii;
  ascii.reserve(t.size());
  qsizetype i = 0;
  if (t[i] == u'+' || t[i] == u'-') {
    if (t[i] == u'-') ascii.push_back('-');
    ++i;
  }
  int digits = 0;
  while (i < t.size() && isDigit(t[i].unicode())) ascii.push_back(static_cast<char>(t[i++].unicode())), ++digits;
  if (i < t.size() && t[i] == u'.') {
    ascii.push_back('.');
    ++i;
    while (i < t.size() && isDigit(t[i].unicode())) ascii.push_back(static_cast<char>(t[i++].unicode())), ++digits;
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == u'e' || t[i] == u'E')) {
    ascii.push_back('e');
    ++i;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) ascii.push_back(static_cast<char>(t[i++].unicode()));
    int expDigits = 0;
    while (i < t.size() && isDigit(t[i].unicode())) ascii.push_back(static_cast<char>(t[i++].unicode())), ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != t.size()) return false;
  if (value) {
    *value = parseAscii(ascii);
    if (!std::isfinite(*value)) *value = *value > 0 ? HUGE_VAL : -HUGE_VAL;
  }
  return true;
}

QString FormatAverage(double value) {
  if (!std::isfinite(value)) return QString();
  const DecimalDigits d = decimalDigits(value);
  const bool negative = d.negative;
  std::string digits = d.digits;
  // Position of the decimal point inside `digits`: after exponent+1 digits.
  int point = d.exponent + 1;
  if (point < 0) {
    digits.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  // Keep the digits up to one decimal, round half away from zero on the next.
  const int keep = point + 1;
  std::string kept = digits.substr(0, std::min<size_t>(keep, digits.size()));
  while (static_cast<int>(kept.size()) < keep) kept.push_back('0');
  const bool roundUp = keep < static_cast<int>(digits.size()) && digits[keep] >= '5';
  if (roundUp) {
    int k = static_cast<int>(kept.size()) - 1;
    while (k >= 0 && kept[k] == '9') kept[k--] = '0';
    if (k >= 0)
      ++kept[k];
    else {
      kept.insert(0, 1, '1');
      ++point;
    }
  }
  std::string whole = kept.substr(0, point);
  const char tenth = kept[point];
  const size_t nz = whole.find_first_not_of('0');
  whole = nz == std::string::npos ? std::string() : whole.substr(nz);
  const bool isZero = whole.empty() && tenth == '0';
  QString out;
  if (negative && !isZero) out += u'-';
  out += QString::fromLatin1(whole.c_str());
  out += u'.';
  out += QLatin1Char(tenth);
  return out;
}

QString FormatGeneral(double value) {
  if (!std::isfinite(value)) return QString();
  if (value == 0) return QStringLiteral("0");
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) return QString::number(static_cast<long long>(value));
  // Written out in plain digits: a cell holding "1e+20" would read back as 1.
  const DecimalDigits d = decimalDigits(value);
  std::string digits = d.digits;
  digits.erase(digits.find_last_not_of('0') + 1);
  const int point = d.exponent + 1;  // digits before the decimal point
  std::string out = d.negative ? "-" : "";
  if (point <= 0) {
    out += "0." + std::string(static_cast<size_t>(-point), '0') + digits;
  } else if (point >= static_cast<int>(digits.size())) {
    out += digits + std::string(static_cast<size_t>(point) - digits.size(), '0');
  } else {
    out += digits.substr(0, static_cast<size_t>(point)) + '.' + digits.substr(static_cast<size_t>(point));
  }
  return QString::fromLatin1(out.c_str());
}

double RoundHalfEven(double value) {
  const double fl = std::floor(value);
  const double diff = value - fl;
  if (diff > 0.5) return fl + 1;
  if (diff < 0.5) return fl;
  return std::fmod(fl, 2.0) == 0 ? fl : fl + 1;
}

std::optional<int> ReadWholeAnswer(QStringView text) {
  // Full-width digits, signs, points and blanks typed with the input method on.
  QString t = text.toString().normalized(QString::NormalizationForm_KC).trimmed();
  t.replace(u'\u2212', u'-');  // minus sign
  if (t.isEmpty()) return std::nullopt;
  double v = 0;
  QStringView view(t);
  // No exponent: an answer like 1e3 is not a plain number a teacher types.
  for (QChar c : view)
    if (c == u'e' || c == u'E') return std::nullopt;
  if (!ReadsAsNumber(view, &v)) return std::nullopt;
  const double r = RoundHalfEven(v);
  if (r < -32768 || r > 32767) return std::nullopt;
  return static_cast<int>(r);
}

}  // namespace gakunen
