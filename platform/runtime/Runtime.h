#pragma once
// Runtime helpers that the program's arithmetic relies on: reading numbers out of
// texts, whole-number conversion and division, single-precision text, and the
// classic BASIC random generator whose exact sequence the scrambled files depend on.

#include <QAnyStringView>
#include <QString>
#include <QtGlobal>

#include <type_traits>

namespace kvl {

// The number a text begins with. Blanks (spaces, tabs, line feeds) are skipped
// anywhere, "." is the decimal point, an optional sign and exponent ("E" or "D")
// are read, "&H"/"&O" introduce hexadecimal/octal whole numbers (16-bit when they
// fit, else 32-bit, as signed). A text without a number gives 0.
double Val(const QString& text);

// Whole-number conversion: the nearest whole number, halves to the even neighbour.
// A value beyond the 64-bit range gives the nearest end of it; NaN gives 0.
qint64 RoundHalfEven(double value);

// Whole-number division and remainder: both operands are first rounded to whole
// numbers (halves to even); the quotient is truncated toward zero and the remainder
// takes the dividend's sign. A zero divisor throws std::domain_error; the one
// quotient beyond the range (the lowest whole number by -1) saturates.
qint64 IntDiv(double dividend, double divisor);
qint64 IntMod(double dividend, double divisor);

// Narrowing to single precision.
inline float CSng(double value) { return static_cast<float>(value); }

// A single as text: at most 7 significant digits, no trailing zeros and no trailing
// ".", exponent form ("1.234568E+07", "1E-05") outside that range.
QString SingleToText(float value);

// A number by a picture of digit places: "0" a digit always shown, "#" a digit shown
// only when significant, one optional "." before the decimal places ("00", "###",
// "###.0", "###.#", "###0.00"...). The value is rounded to the picture's decimals,
// halves away from zero (taken on its decimal digits, so 2.675 gives 2.68 at two).
// With no "0" before the point a whole part of 0 is left out (0.3 with "###.0" is
// ".3", 0 with "###" is ""); decimals written "#" drop their trailing zeros, but the
// point stays ("###.#" turns 24 into "24."). Whole digits beyond the picture are all
// shown; a value that rounds to a non-zero number keeps its minus sign. NaN and
// infinities give "". The separator stands for the point in the result.
QString Format(double value, QAnyStringView picture, QChar decimalSeparator = QLatin1Char('.'));

// The text the printer writes for a number handed to it as a number: one blank in
// the sign's place for zero or more, else the minus sign, then the number in its
// shortest form (at most 15 significant digits, 7 for a single).
QString Str(double value);
QString Str(float value);
template <typename T>
    requires std::is_integral_v<T>
QString Str(T value) { return Str(static_cast<double>(value)); }

// The classic BASIC runtime generator: a 24-bit linear congruential generator.
class BasicRnd {
public:
    static constexpr quint32 FirstSeed = 0x50000;

    // Next value in [0, 1).
    float Rnd();
    // x < 0: restart from the bits of x as a single, then advance;
    // x == 0: the last value again; x > 0: the next value.
    float Rnd(float x);
    // Reseed from the high 32 bits of x as a double, keeping the seed's low byte.
    void Randomize(double x);

    quint32 Seed() const { return seed_; }

private:
    float Value() const { return static_cast<float>(seed_) / 16777216.0f; }
    quint32 seed_ = FirstSeed;
};

namespace Runtime {
// The process-wide generator (the runtime's state is shared by the whole program).
BasicRnd& Rng();

// The decimal separator of the system's regional settings, which the reports and the
// text exports write (the forms always write "."). Read from the system locale once;
// SetDecimalSeparator replaces it (tests), a null QChar restores the system's.
QChar DecimalSeparator();
void SetDecimalSeparator(QChar separator);
} // namespace Runtime

} // namespace kvl
