#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace gakunen {

// The numeric value of a cell by the leading-number rule: blanks, tabs and
// line feeds are skipped wherever they stand, then the longest beginning of
// the form [sign] digits [. digits] gives the value; &H and &O at the start
// introduce hexadecimal and octal numbers. Anything else reads as 0. Only
// ASCII digits count.
double TextValue(QStringView text);

// Whether a cell reads as a number when rows are sorted: the whole text,
// blanks around it aside, is [sign] digits [. digits] [exponent].
bool ReadsAsNumber(QStringView text, double* value = nullptr);

// The "###.0" pattern: one decimal, halves away from zero, no digit before
// the point below 1 (0.5 gives ".5", 0 gives ".0"). The value is rounded as
// it reads in decimal to 15 significant digits, so 64.25 gives 64.3.
QString FormatAverage(double value);

// Totals and sums: whole numbers without a point, otherwise up to 15
// significant digits; always plain decimal digits, never an exponent, so that
// the text reads back as the same number.
QString FormatGeneral(double value);

// Rounds to the nearest whole number, a half to the even neighbour.
double RoundHalfEven(double value);

// Reads a typed answer as a whole number: blanks around it are ignored,
// full-width digits count, a fraction rounds half to even. Returns nothing
// when the text is empty, is not a number or lies outside -32768..32767.
std::optional<int> ReadWholeAnswer(QStringView text);

}  // namespace gakunen
