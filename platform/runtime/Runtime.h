#pragma once
// Runtime helpers that the program's arithmetic relies on: reading numbers out of
// texts, whole-number conversion and division, single-precision text, and the
// classic BASIC random generator whose exact sequence the scrambled files depend on.

#include <QString>
#include <QtGlobal>

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
} // namespace Runtime

} // namespace kvl
