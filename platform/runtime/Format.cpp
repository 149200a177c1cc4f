// Number pictures, the printer's number text and the regional decimal separator.
#include "platform/runtime/Runtime.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <optional>

namespace kvl {

namespace {

struct Picture {
    int wholeZeros = 0;     // "0" places before the point: whole digits always shown
    int requiredDecimals = 0;
    int decimals = 0;       // all decimal places, "0" and "#"
    bool point = false;
};

Picture ReadPicture(const QString& picture)
{
    Picture p;
    for (QChar c : picture) {
        if (c == QLatin1Char('.'))
            p.point = true;
        else if (c == QLatin1Char('0'))
            ++(p.point ? p.requiredDecimals : p.wholeZeros);
        if (p.point && (c == QLatin1Char('0') || c == QLatin1Char('#')))
            ++p.decimals;
    }
    return p;
}

// |value| rounded to the given decimals, halves away from zero, as its whole digits
// (no leading zeros, "" for 0) and exactly `decimals` decimal digits. The rounding
// works on the value's 15 significant decimal digits, so a double that stands for
// 2.675 rounds as 2.675 does.
struct Digits {
    QString whole;
    QString fraction;
};

Digits RoundedDigits(double value, int decimals)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: "d.dddddddddddddde+XX"
    std::string mantissa;
    mantissa += buf[0];
    mantissa.append(buf + 2, 14);
    int pointAt = std::atoi(buf + 17) + 1; // digits before the point
    if (value == 0)
        pointAt = 1;

    // Place the digits on a string that reaches from the point's left to `decimals`.
    std::string digits;
    if (pointAt <= 0) {
        digits = std::string(size_t(1 - pointAt), '0') + mantissa;
        pointAt = 1;
    } else {
        digits = mantissa;
    }
    const size_t keep = size_t(pointAt + decimals);
    if (digits.size() < keep + 1)
        digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = int(keep) - 1;
        while (i >= 0 && digits[size_t(i)] == '9')
            digits[size_t(i--)] = '0';
        if (i >= 0) {
            ++digits[size_t(i)];
        } else {
            digits.insert(digits.begin(), '1');
            ++pointAt;
        }
    }
    std::string whole = digits.substr(0, size_t(pointAt));
    const size_t firstSignificant = whole.find_first_not_of('0');
    whole = firstSignificant == std::string::npos ? std::string() : whole.substr(firstSignificant);
    return {QString::fromStdString(whole), QString::fromStdString(digits.substr(size_t(pointAt)))};
}

std::optional<QChar>& SeparatorOverride()
{
    static std::optional<QChar> separator;
    return separator;
}

} // namespace

QString Format(double value, QAnyStringView picture, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return QString();
    const Picture p = ReadPicture(picture.toString());
    Digits d = RoundedDigits(value, p.decimals);
    const bool zero = d.whole.isEmpty() && d.fraction.count(QLatin1Char('0')) == d.fraction.size();

    QString text = d.whole.rightJustified(p.wholeZeros, QLatin1Char('0'));
    while (d.fraction.size() > p.requiredDecimals && d.fraction.endsWith(QLatin1Char('0')))
        d.fraction.chop(1);
    if (p.point)
        text += decimalSeparator + d.fraction;
    return value < 0 && !zero ? QLatin1Char('-') + text : text;
}

QString Str(double value)
{
    const QString text = value == 0 ? QStringLiteral("0") : QString::number(value, 'G', 15);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString Str(float value)
{
    const QString text = SingleToText(value);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

namespace Runtime {
QChar DecimalSeparator()
{
    static const QChar system = QLocale::system().decimalPoint().at(0);
    return SeparatorOverride().value_or(system);
}

void SetDecimalSeparator(QChar separator)
{
    if (separator.isNull())
        SeparatorOverride().reset();
    else
        SeparatorOverride() = separator;
}
} // namespace Runtime

} // namespace kvl
