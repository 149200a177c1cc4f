#include "platform/runtime/Runtime.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace kvl {

namespace {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// Walks a text one character at a time, skipping blanks wherever they stand.
class Reader {
public:
    explicit Reader(const QString& text) : text_(text) {}
    QChar Peek()
    {
        while (pos_ < text_.size() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_] : QChar();
    }
    void Take() { ++pos_; }
    bool TakeIf(char16_t c)
    {
        if (Peek().toUpper() != QChar(c))
            return false;
        Take();
        return true;
    }
    // Appends the run of decimal digits that follows to out; answers how many.
    int Digits(std::string& out)
    {
        int n = 0;
        for (QChar c = Peek(); c >= u'0' && c <= u'9'; c = Peek(), ++n) {
            out += char(c.unicode());
            Take();
        }
        return n;
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

// "&H1F" / "&O17" after the "&": a whole number, 16-bit when it fits, else 32-bit.
double RadixNumber(Reader& in)
{
    int radix = in.TakeIf(u'H') ? 16 : in.TakeIf(u'O') ? 8 : 0;
    if (radix == 0)
        return 0;
    quint64 value = 0;
    for (;;) {
        int digit = in.Peek().toUpper().unicode();
        digit = digit >= '0' && digit <= '9' ? digit - '0' : digit >= 'A' && digit <= 'F' ? digit - 'A' + 10 : radix;
        if (digit >= radix)
            break;
        value = (value * radix + digit) & 0xFFFFFFFFu;
        in.Take();
    }
    return value <= 0xFFFF ? double(qint16(value)) : double(qint32(value));
}

} // namespace

double Val(const QString& text)
{
    Reader in(text);
    if (in.TakeIf(u'&'))
        return RadixNumber(in);
    std::string number;
    if (in.TakeIf(u'-'))
        number += '-';
    else
        in.TakeIf(u'+');
    int digits = in.Digits(number);
    if (in.TakeIf(u'.')) {
        number += '.';
        digits += in.Digits(number);
    }
    if (digits == 0)
        return 0;
    if (in.TakeIf(u'E') || in.TakeIf(u'D')) {
        std::string exponent = "e";
        if (in.TakeIf(u'-'))
            exponent += '-';
        else
            in.TakeIf(u'+');
        if (in.Digits(exponent) > 0)
            number += exponent;
    }
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec == std::errc::result_out_of_range) {
        // Only an exponent can take a number out of range: a negative one toward 0.
        value = number.find("e-") == std::string::npos ? HUGE_VAL : 0.0;
        if (number[0] == '-')
            value = -value;
    }
    return value;
}

qint64 RoundHalfEven(double value)
{
    // Out of range the conversion would be undefined: saturate, and take NaN as 0.
    constexpr double TwoTo63 = 9223372036854775808.0;
    if (std::isnan(value))
        return 0;
    if (value >= TwoTo63)
        return std::numeric_limits<qint64>::max();
    if (value < -TwoTo63)
        return std::numeric_limits<qint64>::min();
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    return static_cast<qint64>(whole);
}

namespace {
qint64 WholeDivisor(double divisor)
{
    qint64 d = RoundHalfEven(divisor);
    if (d == 0)
        throw std::domain_error("Division by zero");
    return d;
}

// The one quotient that does not fit: the lowest whole number divided by -1.
bool Overflows(qint64 dividend, qint64 divisor)
{
    return dividend == std::numeric_limits<qint64>::min() && divisor == -1;
}
} // namespace

qint64 IntDiv(double dividend, double divisor)
{
    const qint64 d = WholeDivisor(divisor);
    const qint64 n = RoundHalfEven(dividend);
    return Overflows(n, d) ? std::numeric_limits<qint64>::max() : n / d;
}

qint64 IntMod(double dividend, double divisor)
{
    const qint64 d = WholeDivisor(divisor);
    const qint64 n = RoundHalfEven(dividend);
    return Overflows(n, d) ? 0 : n % d;
}

QString SingleToText(float value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return QString::number(double(value), 'G', 7);
}

float BasicRnd::Rnd()
{
    seed_ = (seed_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
    return Value();
}

float BasicRnd::Rnd(float x)
{
    if (x == 0)
        return Value();
    if (x < 0) {
        quint32 bits;
        std::memcpy(&bits, &x, sizeof bits);
        seed_ = (bits + (bits >> 24)) & 0xFFFFFFu;
    }
    return Rnd();
}

void BasicRnd::Randomize(double x)
{
    quint64 bits;
    std::memcpy(&bits, &x, sizeof bits);
    quint32 hi = quint32(bits >> 32);
    seed_ = (seed_ & 0xFFu) | ((((hi & 0xFFFFu) ^ (hi >> 16)) & 0xFFFFu) << 8);
}

namespace Runtime {
BasicRnd& Rng()
{
    static BasicRnd rng;
    return rng;
}
} // namespace Runtime

} // namespace kvl
