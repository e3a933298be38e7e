#include "core/Format.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace zelmora {

namespace {

struct NumericPattern
{
    QString prefix;
    QString suffix;
    int minIntegerDigits = 0;
    int decimals = 0;
    bool thousands = false;
};

NumericPattern parseMask(const QString &mask)
{
    NumericPattern p;
    const auto isPatternChar = [](QChar c) {
        return c == u'#' || c == u'0' || c == u',' || c == u'.';
    };
    qsizetype first = 0;
    while (first < mask.size() && !(mask[first] == u'#' || mask[first] == u'0'))
        ++first;
    qsizetype last = first;
    while (last < mask.size() && isPatternChar(mask[last]))
        ++last;
    p.prefix = mask.left(first);
    p.suffix = mask.mid(last);
    const QString body = mask.mid(first, last - first);
    const qsizetype point = body.indexOf(u'.');
    const QString integerPart = point < 0 ? body : body.left(point);
    const QString decimalPart = point < 0 ? QString() : body.mid(point + 1);
    p.thousands = integerPart.contains(u',');
    const qsizetype firstZero = integerPart.indexOf(u'0');
    if (firstZero >= 0)
        p.minIntegerDigits =
            int(integerPart.mid(firstZero).count(u'0') + integerPart.mid(firstZero).count(u'#'));
    p.decimals = int(decimalPart.count(u'0') + decimalPart.count(u'#'));
    return p;
}

// Digits of |value| rounded half away from zero to `decimals` places, as an integer string
// (the last `decimals` digits are the fraction). Rounding works on the 15-significant-digit
// decimal form, so 0.125 gives 0.13 and 2.675 gives 2.68, as a person reading the value expects.
std::string roundedDigits(double magnitude, int decimals)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);
    // buf: d.dddddddddddddde[+-]XX
    std::string mantissa;
    const char *p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    const int exponent = std::atoi(p + 1);
    // mantissa holds 15 digits with the point after the first: value = 0.mantissa * 10^(exp+1)
    const int integerDigits = exponent + 1;
    const int keep = integerDigits + decimals; // digits kept from the mantissa
    if (keep < 0)
        return std::string(decimals + 1, '0');
    std::string kept;
    if (keep <= int(mantissa.size()))
        kept = mantissa.substr(0, keep);
    else
        kept = mantissa + std::string(keep - mantissa.size(), '0');
    const bool roundUp = keep < int(mantissa.size()) && mantissa[keep] >= '5';
    if (kept.empty())
        kept.push_back('0');
    if (roundUp) {
        int i = int(kept.size()) - 1;
        while (i >= 0 && kept[i] == '9')
            kept[i--] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i];
    }
    if (keep == 0 && !roundUp)
        kept.assign(1, '0');
    // pad so there is at least one integer digit
    if (int(kept.size()) < decimals + 1)
        kept.insert(0, std::size_t(decimals + 1) - kept.size(), '0');
    return kept;
}

} // namespace

QString formatMask(double value, const QString &mask)
{
    const NumericPattern p = parseMask(mask);
    const bool negative = std::signbit(value) && value != 0.0;
    const std::string digits = roundedDigits(std::fabs(value), p.decimals);
    std::string integerDigits = digits.substr(0, digits.size() - p.decimals);
    const std::string fraction = digits.substr(digits.size() - p.decimals);

    // Strip leading zeros, then pad to the mask's forced digits.
    size_t nonZero = integerDigits.find_first_not_of('0');
    integerDigits = nonZero == std::string::npos ? std::string() : integerDigits.substr(nonZero);
    if (int(integerDigits.size()) < p.minIntegerDigits)
        integerDigits = std::string(p.minIntegerDigits - integerDigits.size(), '0') + integerDigits;

    QString integerText;
    const int n = int(integerDigits.size());
    for (int i = 0; i < n; ++i) {
        if (p.thousands && i > 0 && (n - i) % 3 == 0)
            integerText += u'.';
        integerText += QChar::fromLatin1(integerDigits[i]);
    }
    QString number = integerText;
    if (p.decimals > 0)
        number += u',' + QString::fromLatin1(fraction.c_str());
    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    return (negative && !allZero ? QStringLiteral("-") : QString()) + p.prefix + number + p.suffix;
}

double roundHalfEven(double value)
{
    return std::nearbyint(value); // default rounding mode: to nearest, ties to even
}

QString countText(qint64 n)
{
    return formatMask(double(n), QStringLiteral("#,##0"));
}

QString countOf(qint64 n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(countText(n), QString::fromUtf8(n == 1 ? one : many));
}

QString percentText(qint64 done, qint64 total)
{
    return QStringLiteral("%1%").arg(total > 0 ? done * 100 / total : 0);
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace zelmora
